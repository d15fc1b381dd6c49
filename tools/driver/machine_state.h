// Whether the machine is quiet enough to measure on, judged before each run
// from what Linux shows in /proc (the driver reads it through Wine's drive
// Z:): the load average, how busy the processors were over a short sample,
// and Wine processes of other prefixes (other people's programs and tests,
// which compete with the run for the processors and for the X server).
// Portable: the parsing and the verdict are tested natively.
#pragma once

#include <string>
#include <vector>

namespace e2e {

// The three load averages of /proc/loadavg; false when the text is not one.
bool ParseLoadAverage(const std::string& text, double load[3]);

// Busy and total jiffies of the first ("cpu") line of /proc/stat; idle and
// iowait count as not busy.
struct CpuTimes {
    unsigned long long busy = 0, total = 0;
};
bool ParseCpuTimes(const std::string& procStat, CpuTimes& times);
// Processors busy on average between two readings (0 to the processor count).
double BusyCores(const CpuTimes& before, const CpuTimes& after, int processors);

// A process's /proc/<pid>/cmdline (arguments separated by NULs) belongs to
// Wine: a Windows program (its first argument ends in ".exe") or the
// wineserver.
bool IsWineCommandLine(const std::string& cmdline);
// The value of one variable in /proc/<pid>/environ (NUL-separated); empty
// when absent.
std::string EnvironmentValue(const std::string& environment, const std::string& name);

struct Idleness {
    bool checked = false;  // /proc could not be read: nothing is known
    double load[3] = {0, 0, 0};
    double busyCores = 0;
    int otherWineProcesses = 0;
    bool idle = true;
};
// More than this many processors busy before a run means it is not idle.
constexpr double kBusyCoresLimit = 0.25;
// Idle when no Wine process of another prefix runs and the processors were
// nearly unused over the sample.
void Judge(Idleness& state);
// "idle (load 0.12 0.30 0.41, 0.02 cores busy, 0 other Wine processes)",
// "NOT IDLE (...)", or "not checked ..." when unknown.
std::string IdlenessText(const Idleness& state);

// Reads /proc through drive Z: (Win32 build only): the load average, the
// processors' use over sampleMs, and the Wine processes whose WINEPREFIX is
// not this process's own.
Idleness ProbeIdleness(unsigned sampleMs);

}  // namespace e2e
