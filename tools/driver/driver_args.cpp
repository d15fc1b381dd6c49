#include "tools/driver/driver_args.h"

#include <cerrno>
#include <cstdlib>

#include "tools/driver/run_report.h"

namespace e2e {

namespace {

// A whole number in the signed 32-bit range, the range of the program's
// integer keys, whatever the width of long.
bool ParseWhole(const std::string& text, long& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const long long number = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end == nullptr || *end != '\0' || number < -2147483647LL - 1 ||
        number > 2147483647LL)
        return false;
    value = static_cast<long>(number);
    return true;
}

bool ParseSeconds(const std::string& text, double& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end != nullptr && *end == '\0' && value > 0 && value < 1e6;
}

}  // namespace

bool ParseDriverArgs(const std::vector<std::string>& args, DriverArgs& out, std::string& error) {
    out = DriverArgs();
    if (args.empty() || args[0] != "run") {
        error = "the first argument must be the command \"run\"";
        return false;
    }
    bool haveExe = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            if (haveExe) {
                error = "unexpected argument \"" + arg + "\"";
                return false;
            }
            out.exePath = arg;
            haveExe = true;
            continue;
        }
        static const char* const known[] = {"--loop",      "--rounds",     "--runs", "--warmup",
                                            "--condition", "--json",       "--csv",  "--screenshot",
                                            "--timeout",   "--run-timeout"};
        bool isKnown = false;
        for (const char* option : known)
            isKnown = isKnown || arg == option;
        if (!isKnown) {
            error = "unknown option " + arg;
            return false;
        }
        if (i + 1 >= args.size()) {
            error = arg + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        long number = 0;
        if (arg == "--loop") {
            if (!ParseWhole(value, number)) {
                error = "--loop needs a whole number, not \"" + value + "\"";
                return false;
            }
            out.hasLoop = true;
            out.loop = number;
        } else if (arg == "--rounds") {
            // The program would clamp any other count; a wrong one is refused
            // here rather than silently changed.
            if (!ParseWhole(value, number) || number < 1 || number > kMaxRounds) {
                error = "--rounds needs a count from 1 to " + std::to_string(kMaxRounds) +
                        ", not \"" + value + "\"";
                return false;
            }
            out.hasRounds = true;
            out.rounds = static_cast<int>(number);
        } else if (arg == "--runs") {
            if (!ParseWhole(value, number) || number < 0 || number > 1000) {
                error = "--runs needs a count from 0 to 1000, not \"" + value + "\"";
                return false;
            }
            out.runs = static_cast<int>(number);
        } else if (arg == "--warmup") {
            if (!ParseWhole(value, number) || number < 0 || number > 100) {
                error = "--warmup needs a count from 0 to 100, not \"" + value + "\"";
                return false;
            }
            out.warmups = static_cast<int>(number);
        } else if (arg == "--condition") {
            out.conditions.push_back(value);
        } else if (arg == "--json") {
            out.jsonPath = value;
        } else if (arg == "--csv") {
            out.csvPath = value;
        } else if (arg == "--screenshot") {
            out.screenshotPath = value;
        } else if (arg == "--timeout") {
            if (!ParseSeconds(value, out.timeoutSeconds)) {
                error = "--timeout needs a positive number of seconds, not \"" + value + "\"";
                return false;
            }
        } else {  // --run-timeout
            if (!ParseSeconds(value, out.runTimeoutSeconds)) {
                error = "--run-timeout needs a positive number of seconds, not \"" + value + "\"";
                return false;
            }
        }
    }
    if (!haveExe) {
        error = "the path of velkora.exe is missing";
        return false;
    }
    return true;
}

std::string DriverUsage() {
    return "usage: velkora-driver run <path-to-velkora.exe> [options]\n"
           "\n"
           "Starts the program, presses START ALL, waits for the test window to close,\n"
           "reads the result list and the totals, and closes the program. Each test is\n"
           "printed as it finishes; before each run the machine is checked for idleness,\n"
           "after it the program's GDI and USER objects and private memory are counted.\n"
           "\n"
           "  --loop N            write VelkoraLoop=N into the data file beside the exe first\n"
           "  --rounds R          write VelkoraRounds=R (1 to 9) there too: each run times\n"
           "                      every test R times and keeps the median and the range\n"
           "  --runs K            press START ALL K times (default 1; 0 only starts and reads)\n"
           "  --warmup K          press it K times more before those and drop their results\n"
           "                      (default 0)\n"
           "  --condition TEXT    a condition of the run set up outside the driver, reported\n"
           "                      with the results (may be given more than once)\n"
           "  --json FILE         write the runs and their summary as JSON\n"
           "  --csv FILE          write them as CSV\n"
           "  --screenshot FILE   save the main window as a 24-bit BMP after the last run\n"
           "  --timeout S         seconds to wait for each window to appear (default 60)\n"
           "  --run-timeout S     seconds to wait for one run to finish (default 3600)\n";
}

}  // namespace e2e
