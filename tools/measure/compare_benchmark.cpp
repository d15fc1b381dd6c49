// compare_benchmark: velkora-compare's wall time over ten data files of 1000
// records each (every fourth record timed in five rounds, names in code page
// 932), natively. Each case runs the program as a user would, its output to
// /dev/null, and prints the fastest and the median of the runs:
// - 8 records spread over the files, as Markdown;
// - the same 8 as Markdown, CSV and HTML in one run;
// - the default choice (every record), which reads all ten files and then
//   refuses 10000 records with its message.
//
// Usage: build/native/compare_benchmark [runs] [velkora-compare]
//   (default 5 runs, the program beside this one)
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "bench/catalogue.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record.h"

extern char** environ;

namespace {

constexpr int kFiles = 10;
constexpr int kRecordsPerFile = 1000;

// A plausible record: a machine k times the reference speed, a little noise
// per test, five rounds with their range on every fourth record.
records::Record RecordOf(int file, int n) {
    static const char* const kProcessors[] = {"Pentium III", "Athlon XP", "Pentium 4",
                                              "Core 2 Duo"};
    static const char* const kPlatforms[] = {"Windows 98 (4.10.2222 A)  128MB Mem",
                                             "Windows 2000 (5.0.2195 Service Pack 4)  256MB Mem",
                                             "Windows XP (5.1.2600 Service Pack 2)  512MB Mem",
                                             "Windows 7 (6.1.7601 Service Pack 1)  4096MB Mem"};
    records::Record r;
    const int kind = (file + n) % 4;
    r.system.SystemName = "\x8C\x8B\x89\xCA " + std::to_string(file) + "-" + std::to_string(n);
    r.system.PlatformInfo = kPlatforms[kind];
    r.system.PlatformID = kind == 0 ? 1 : 2;
    r.system.VideoCard = "RADEON 9600";
    std::snprintf(r.processor.ProcessorName, sizeof r.processor.ProcessorName, "%s",
                  kProcessors[kind]);
    r.processor.Frequency = 500 + 250 * kind;
    const double speed = 0.5 + kind + (n % 10) / 10.0;
    r.timing.SetReference(r.system.PlatformID);
    for (int t = 0; t < bench::kTestCount; ++t) {
        const double noise = 1 + ((n * 7 + t * 13) % 11 - 5) / 100.0;
        r.timing.m_fTime[t] = static_cast<float>(r.timing.m_fRef[t] / speed * noise);
        if (n % 4 == 0) {
            r.timing.m_nRounds[t] = 5;
            r.timing.m_fFastest[t] = r.timing.m_fTime[t] * 0.98f;
            r.timing.m_fSlowest[t] = r.timing.m_fTime[t] * 1.03f;
        }
    }
    return r;
}

bool WriteDataFile(const std::string& path, int file) {
    records::IniFile data;
    for (int n = 1; n <= kRecordsPerFile; ++n)
        RecordOf(file, n).Save(data, n);
    records::WriteRecordCount(data, kRecordsPerFile);
    std::ofstream out(path, std::ios::binary);
    out << data.Render();
    return static_cast<bool>(out);
}

// Runs the program with its output to /dev/null; its wall time in ms, or -1
// when it could not start. Its exit status goes to status.
double TimedRun(const std::vector<std::string>& args, int& status) {
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int failed = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0 || waitpid(child, &status, 0) != child)
        return -1;
    status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::string program;
    if (argc > 2) {
        program = argv[2];
    } else {
        char self[PATH_MAX] = {};
        if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0)
            return std::fprintf(stderr, "compare_benchmark: where am I?\n"), 2;
        program = std::string(self);
        program = program.substr(0, program.find_last_of('/') + 1) + "velkora-compare";
    }
    char folder[] = "/tmp/velkora-compare-benchmark-XXXXXX";
    if (mkdtemp(folder) == nullptr)
        return std::fprintf(stderr, "compare_benchmark: no scratch folder\n"), 2;

    const auto made = std::chrono::steady_clock::now();
    std::vector<std::string> files;
    for (int f = 1; f <= kFiles; ++f) {
        files.push_back(std::string(folder) + "/results" + std::to_string(f) + ".vlk");
        if (!WriteDataFile(files.back(), f))
            return std::fprintf(stderr, "compare_benchmark: cannot write %s\n",
                                files.back().c_str()),
                   2;
    }
    std::printf(
        "%d files of %d records written in %.0f ms\n", kFiles, kRecordsPerFile,
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - made).count());

    std::vector<std::string> base = {program};
    base.insert(base.end(), files.begin(), files.end());
    auto with = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = base;
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    };
    const std::string spread = "1:1,2:500,3:1000,4:250,6:750,8:100,9:999,10:4";
    const struct {
        const char* name;
        std::vector<std::string> args;
        int status;  // the exit status it must have
    } cases[] = {
        {"8 records spread, Markdown", with({"--records", spread}), 0},
        {"8 records spread, all three formats",
         with({"--records", spread, "--markdown", "-", "--csv", "-", "--html", "-"}), 0},
        {"default: every record (refused)", base, 2},
    };
    int failures = 0;
    for (const auto& c : cases) {
        std::vector<double> times;
        int status = 0;
        for (int i = 0; i < runs; ++i) {
            const double ms = TimedRun(c.args, status);
            if (ms < 0)
                return std::fprintf(stderr, "compare_benchmark: cannot run %s\n", program.c_str()),
                       2;
            times.push_back(ms);
        }
        std::sort(times.begin(), times.end());
        std::printf("%-40s exit %d  fastest %8.1f ms  median %8.1f ms\n", c.name, status,
                    times.front(), times[times.size() / 2]);
        failures += status != c.status ? 1 : 0;
    }
    std::system(("rm -rf " + std::string(folder)).c_str());
    return failures == 0 ? 0 : 1;
}
