#include "tools/driver/machine_state.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace e2e {

namespace {

std::vector<std::string> SplitNul(const std::string& text) {
    std::vector<std::string> parts;
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find('\0', begin);
        if (end == std::string::npos)
            end = text.size();
        parts.push_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
    return parts;
}

bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
    if (text.size() < suffix.size())
        return false;
    for (size_t i = 0; i < suffix.size(); ++i) {
        char c = text[text.size() - suffix.size() + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != suffix[i])
            return false;
    }
    return true;
}

}  // namespace

bool ParseLoadAverage(const std::string& text, double load[3]) {
    std::istringstream in(text);
    double values[3];
    if (!(in >> values[0] >> values[1] >> values[2]))
        return false;
    for (int i = 0; i < 3; ++i)
        load[i] = values[i];
    return true;
}

bool ParseCpuTimes(const std::string& procStat, CpuTimes& times) {
    std::istringstream in(procStat);
    std::string label;
    if (!(in >> label) || label != "cpu")
        return false;
    unsigned long long value = 0;
    times = CpuTimes();
    // user nice system idle iowait irq softirq steal (guest time is already
    // in user time).
    for (int field = 0; field < 8 && in >> value; ++field) {
        times.total += value;
        if (field != 3 && field != 4)
            times.busy += value;
    }
    return times.total > 0;
}

double BusyCores(const CpuTimes& before, const CpuTimes& after, int processors) {
    if (after.total <= before.total || after.busy < before.busy)
        return 0;
    return static_cast<double>(after.busy - before.busy) /
           static_cast<double>(after.total - before.total) * processors;
}

bool IsWineCommandLine(const std::string& cmdline) {
    const std::vector<std::string> args = SplitNul(cmdline);
    if (args.empty())
        return false;
    const std::string& program = args[0];
    return EndsWithNoCase(program, ".exe") || program.find("wineserver") != std::string::npos;
}

std::string EnvironmentValue(const std::string& environment, const std::string& name) {
    for (const std::string& entry : SplitNul(environment))
        if (entry.size() > name.size() && entry.compare(0, name.size(), name) == 0 &&
            entry[name.size()] == '=')
            return entry.substr(name.size() + 1);
    return std::string();
}

void Judge(Idleness& state) {
    state.idle =
        !state.checked || (state.otherWineProcesses == 0 && state.busyCores <= kBusyCoresLimit);
}

std::string IdlenessText(const Idleness& state) {
    if (!state.checked)
        return "not checked (no /proc through drive Z:)";
    char text[160];
    std::snprintf(text, sizeof text,
                  "load %.2f %.2f %.2f, %.2f cores busy, %d other Wine process%s", state.load[0],
                  state.load[1], state.load[2], state.busyCores, state.otherWineProcesses,
                  state.otherWineProcesses == 1 ? "" : "es");
    return (state.idle ? "idle (" : "NOT IDLE (") + std::string(text) + ")";
}

}  // namespace e2e
