// records_benchmark: the data-file store against the platform's private-profile
// functions, on data files of 10, 100, 1000 and 5000 records.
//
// Both sides do the same user operations on the same files in the same
// process: the store parses once and writes once per operation; the
// reference goes key by key through GetPrivateProfileStringA,
// GetPrivateProfileIntA and WritePrivateProfileStringA, as the program would
// without the store. Times are milliseconds per operation. Where the
// reference would take minutes, it runs for a fixed budget and its time is
// extrapolated from the part done (marked '~').
//
// Usage: records_benchmark [record counts...]   (default: 10 100 1000 5000)
//        records_benchmark hostile   (damaged and hostile files: the time to
//        open each and its peak memory per byte of input)
// It works in a folder of its own in the temporary folder.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "bench/catalogue.h"
#include "framework/handle.h"
#include "framework/text_codec.h"
#include "records/data_file.h"
#include "records/ini_store.h"

namespace {

using records::IniFile;

struct Pair {
    std::string key, value;
};

struct Record {
    std::vector<Pair> system, processor, timing;  // 9, 12 and 20 keys
};

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Contents like those a lab full of machines produces.
Record MakeRecord(int n, int variant) {
    static const char* const kProcessors[] = {"Intel-Pentium III", "AMD-Athlon", "Intel-Celeron",
                                              "Intel-Pentium 4", "AMD-Duron"};
    static const char* const kCodeNames[] = {"Coppermine", "Thunderbird", "Mendocino", "Northwood",
                                             "Spitfire"};
    const char* cpu = kProcessors[n % 5];
    const int mhz = 500 + (n * 37) % 1500;
    Record r;
    char name[128];
    std::snprintf(name, sizeof name, "%s at %dMHz System(%d)", cpu, mhz, n);
    r.system = {
        {"SystemName", name},
        {"UserName", "user" + std::to_string(n % 17)},
        {"PCName", "LAB-PC-" + std::to_string(n)},
        {"PlatformInfo",
         "Windows2000Service Pack 4(5.0.2195)  " + std::to_string(128 << (n % 4)) + "MB Mem"},
        {"VideoCard", "NVIDIA RIVA TNT2 Model 64/Model 64 Pro (32MB)"},
        {"Date", "2001.0" + std::to_string(1 + n % 9) + "/1" + std::to_string(n % 10) + ".12:3" +
                     std::to_string(variant % 10)},
        {"MEMO", "measured after a clean boot:;screen saver off:;run " + std::to_string(variant)},
        {"Setting", std::to_string(0x80000000u + static_cast<unsigned>(n))},
        {"PlatformID", "2"},
    };
    r.processor = {
        {"ProcessorName", cpu},
        {"CodeName", kCodeNames[n % 5]},
        {"VendorName", n % 2 ? "AuthenticAMD" : "GenuineIntel"},
        {"Signature", std::to_string(1667 + n % 7)},
        {"FeatureFlag", std::to_string(58391551u + static_cast<unsigned>(variant))},
        {"Frequency", Format("%f", mhz - 0.4 + variant * 0.001)},
        {"CashFlagEAX", "50463233"},
        {"CashFlagEBX", "0"},
        {"CashFlagECX", "0"},
        {"CashFlagEDX", "67666436"},
        {"L2CashSize", std::to_string(256 << (n % 3))},
        {"MultiProcessor", std::to_string(1 + n % 2)},
    };
    for (int i = 0; i < bench::kTestCount; ++i) {
        std::string key;
        GetTestName(i, key);
        r.timing.push_back({key, Format("%f", 1.5 + i * 0.37 + n * 0.001 + variant * 0.0001)});
    }
    return r;
}

// The store takes the platform's own (wide) path; this program keeps its
// paths in the ANSI code page for the platform's profile functions.
records::FilePath StorePath(const std::string& path) {
    return fw::WidenAnsi(path);
}

std::string PathIn(const std::string& folder, const std::string& name) {
    return folder + "\\" + name;
}

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Runs op (after prepare, which is not timed) until budget milliseconds have
// passed or maxRuns runs are done; the mean time of one run.
double Measure(const std::function<void()>& op, double budget, int maxRuns,
               const std::function<void()>& prepare = nullptr) {
    double total = 0.0;
    int runs = 0;
    while (runs < maxRuns && (runs == 0 || total < budget)) {
        if (prepare)
            prepare();
        const double start = Now();
        op();
        total += Now() - start;
        ++runs;
    }
    return total / runs;
}

// ---------------------------------------------------------------------------
// The store's side

void StoreWriteRecord(IniFile& file, int n, const Record& r) {
    const std::string system = records::SystemSectionName(n);
    const std::string processor = records::ProcessorSectionName(n);
    const std::string timing = records::TimingSectionName(n);
    for (const Pair& p : r.system)
        file.SetString(system, p.key, p.value);
    for (const Pair& p : r.processor)
        file.SetString(processor, p.key, p.value);
    for (const Pair& p : r.timing)
        file.SetString(timing, p.key, p.value);
}

Record StoreReadRecord(const IniFile& file, int n, const Record& keys) {
    const std::string system = records::SystemSectionName(n);
    const std::string processor = records::ProcessorSectionName(n);
    const std::string timing = records::TimingSectionName(n);
    Record r;
    for (const Pair& p : keys.system)
        r.system.push_back({p.key, file.GetString(system, p.key, "")});
    for (const Pair& p : keys.processor)
        r.processor.push_back({p.key, file.GetString(processor, p.key, "")});
    for (const Pair& p : keys.timing)
        r.timing.push_back({p.key, file.GetString(timing, p.key, "")});
    return r;
}

// ---------------------------------------------------------------------------
// The platform's side, key by key

void PlatformWriteRecord(const std::string& path, int n, const Record& r) {
    const std::string system = records::SystemSectionName(n);
    const std::string processor = records::ProcessorSectionName(n);
    const std::string timing = records::TimingSectionName(n);
    for (const Pair& p : r.system)
        WritePrivateProfileStringA(system.c_str(), p.key.c_str(), p.value.c_str(), path.c_str());
    for (const Pair& p : r.processor)
        WritePrivateProfileStringA(processor.c_str(), p.key.c_str(), p.value.c_str(), path.c_str());
    for (const Pair& p : r.timing)
        WritePrivateProfileStringA(timing.c_str(), p.key.c_str(), p.value.c_str(), path.c_str());
}

std::string PlatformGet(const std::string& path, const std::string& section,
                        const std::string& key) {
    char buffer[records::kTextBufferSize];
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer, path.c_str());
    return buffer;
}

Record PlatformReadRecord(const std::string& path, int n, const Record& keys) {
    const std::string system = records::SystemSectionName(n);
    const std::string processor = records::ProcessorSectionName(n);
    const std::string timing = records::TimingSectionName(n);
    Record r;
    for (const Pair& p : keys.system)
        r.system.push_back({p.key, PlatformGet(path, system, p.key)});
    for (const Pair& p : keys.processor)
        r.processor.push_back({p.key, PlatformGet(path, processor, p.key)});
    for (const Pair& p : keys.timing)
        r.timing.push_back({p.key, PlatformGet(path, timing, p.key)});
    return r;
}

// ---------------------------------------------------------------------------

struct Row {
    int records;
    const char* operation;
    double store, platform;
    bool extrapolated;
};

void PrintRow(const Row& row) {
    std::printf("%7d  %-34s %11.3f  %c%12.3f  %10.1fx\n", row.records, row.operation, row.store,
                row.extrapolated ? '~' : ' ', row.platform, row.platform / row.store);
    std::fflush(stdout);
}

bool CreateDataFile(const std::string& path, int count, int variant) {
    DeleteFileA(path.c_str());
    IniFile file;
    file.Load(StorePath(path));
    records::WriteRecordCount(file, count);
    for (int n = 0; n <= count; ++n)
        StoreWriteRecord(file, n, MakeRecord(n, variant));
    return file.Save();
}

long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The platform keeps up to ten parsed files and reuses one while its time
// stamp is unchanged and more than a few seconds old; a file written just
// before is parsed again at every call. The reads of a settled data file
// (the usual case: written at the last start or run) see it aged by a
// minute.
void SetAge(const std::string& path, double seconds) {
    fw::KernelHandle file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    if (!file)
        return;
    FILETIME t;
    GetSystemTimeAsFileTime(&t);
    ULARGE_INTEGER u;
    u.LowPart = t.dwLowDateTime;
    u.HighPart = t.dwHighDateTime;
    u.QuadPart -= static_cast<ULONGLONG>(seconds * 1e7);
    t.dwLowDateTime = u.LowPart;
    t.dwHighDateTime = u.HighPart;
    SetFileTime(file.Get(), nullptr, nullptr, &t);
}

constexpr double kSettled = 60.0;

// A fresh copy of source at path, settled.
void Fresh(const std::string& source, const std::string& path) {
    CopyFileA(source.c_str(), path.c_str(), FALSE);
    SetAge(path, kSettled);
}

constexpr int kImported = 10;
constexpr double kBudget = 300.0;           // ms per measurement of the fast side
constexpr double kPlatformBudget = 4000.0;  // ms before the slow side is extrapolated

void RunSize(const std::string& folder, int count) {
    const std::string master = PathIn(folder, "master-" + std::to_string(count) + ".vlk");
    const std::string work = PathIn(folder, "work.vlk");
    const std::string dropped = PathIn(folder, "dropped.vlk");
    if (!CreateDataFile(master, count, 0) || !CreateDataFile(dropped, kImported, 1)) {
        std::printf("cannot write the test files in %s\n", folder.c_str());
        return;
    }
    std::printf("%7d  (data file %lld bytes, %d sections)\n", count, FileSize(master),
                3 * (count + 1) + 1);

    // Settled copies for the platform's loads: going round twelve of them,
    // every load finds a file that is not among the ten it keeps parsed.
    std::vector<std::string> copies;
    for (int i = 0; i < 12; ++i) {
        copies.push_back(PathIn(folder, "copy" + std::to_string(i) + ".vlk"));
        Fresh(master, copies.back());
    }
    const Record keys = MakeRecord(0, 0);
    const int middle = count / 2 + 1;
    int next = 0;
    auto nextCopy = [&]() -> const std::string& { return copies[next++ % copies.size()]; };

    // Opening the file and reading the record count.
    {
        Row row{count, "load (open, read the count)", 0, 0, false};
        row.store = Measure(
            [&] {
                IniFile file;
                file.Load(StorePath(master));
                records::ReadOptions(file);
            },
            kBudget, 1000);
        std::string path;
        row.platform = Measure(
            [&] { GetPrivateProfileIntA("VelkoraDataFile", "VelkoraDataNum", 0, path.c_str()); },
            kBudget, 1000, [&] { path = nextCopy(); });
        PrintRow(row);
    }
    // Start-up: the count and the names of all records for the selector.
    {
        Row row{count, "start-up (count + all N names)", 0, 0, false};
        row.store = Measure(
            [&] {
                IniFile file;
                file.Load(StorePath(master));
                records::ReadSystemNames(file, records::ReadOptions(file).recordCount);
            },
            kBudget, 1000);
        std::string path;
        double done = 0;
        row.platform = Measure(
            [&] {
                int n = GetPrivateProfileIntA("VelkoraDataFile", "VelkoraDataNum", 0, path.c_str());
                const double start = Now();
                for (int i = 1; i <= n; ++i) {
                    PlatformGet(path, records::SystemSectionName(i), "SystemName");
                    if (Now() - start > kPlatformBudget) {
                        done = static_cast<double>(i) / n;
                        return;
                    }
                }
                done = 1.0;
            },
            kBudget, 1000, [&] { path = nextCopy(); });
        if (done < 1.0) {
            row.platform /= done;
            row.extrapolated = true;
        }
        PrintRow(row);
    }
    // Reading all keys of one record from a file already read.
    {
        Row row{count, "read one record (41 keys)", 0, 0, false};
        IniFile file;
        file.Load(StorePath(master));
        row.store = Measure([&] { StoreReadRecord(file, middle, keys); }, kBudget, 100000);
        const std::string& path = nextCopy();
        PlatformReadRecord(path, middle, keys);  // the platform parses it once
        row.platform = Measure([&] { PlatformReadRecord(path, middle, keys); }, kBudget, 100000);
        PrintRow(row);
    }
    // Writing one record and saving (the end of a run writes record 0 the
    // same way).
    {
        Row row{count, "write one record + save", 0, 0, false};
        Fresh(master, work);
        IniFile file;
        file.Load(StorePath(work));
        int variant = 10;
        row.store = Measure(
            [&] {
                StoreWriteRecord(file, middle, MakeRecord(middle, ++variant));
                file.Save();
            },
            kBudget, 1000);
        Fresh(master, work);
        row.platform =
            Measure([&] { PlatformWriteRecord(work, middle, MakeRecord(middle, ++variant)); },
                    kBudget, 1000);
        PrintRow(row);
    }
    // Deleting record 1: records 2..N move down by one, then the count.
    if (count >= 2) {
        Row row{count, "delete record 1 (move N-1 down)", 0, 0, false};
        auto fresh = [&] { Fresh(master, work); };
        row.store = Measure(
            [&] {
                IniFile file;
                file.Load(StorePath(work));
                for (int o = 1; o < count; ++o)
                    StoreWriteRecord(file, o, StoreReadRecord(file, o + 1, keys));
                records::WriteRecordCount(file, count - 1);
                file.Save();
            },
            kBudget, 100, fresh);
        double done = 0;
        row.platform = Measure(
            [&] {
                const double start = Now();
                for (int o = 1; o < count; ++o) {
                    PlatformWriteRecord(work, o, PlatformReadRecord(work, o + 1, keys));
                    if (Now() - start > kPlatformBudget) {
                        done = static_cast<double>(o) / (count - 1);
                        return;
                    }
                }
                WritePrivateProfileStringA("VelkoraDataFile", "VelkoraDataNum",
                                           std::to_string(count - 1).c_str(), work.c_str());
                done = 1.0;
            },
            kBudget, 100, fresh);
        if (done < 1.0) {
            row.platform /= done;
            row.extrapolated = true;
        }
        PrintRow(row);
    }
    // Importing a dropped file of ten records.
    {
        Row row{count, "import 10 records + save", 0, 0, false};
        auto fresh = [&] { Fresh(master, work); };
        row.store = Measure(
            [&] {
                IniFile file, source;
                file.Load(StorePath(work));
                source.Load(StorePath(dropped));
                const int m = records::ReadOptions(source).recordCount;
                for (int i = 1; i <= m; ++i)
                    StoreWriteRecord(file, count + i, StoreReadRecord(source, i, keys));
                records::WriteRecordCount(file, count + m);
                file.Save();
            },
            kBudget, 100, fresh);
        row.platform = Measure(
            [&] {
                const int m =
                    GetPrivateProfileIntA("VelkoraDataFile", "VelkoraDataNum", 0, dropped.c_str());
                for (int i = 1; i <= m; ++i)
                    PlatformWriteRecord(work, count + i, PlatformReadRecord(dropped, i, keys));
                WritePrivateProfileStringA("VelkoraDataFile", "VelkoraDataNum",
                                           std::to_string(count + m).c_str(), work.c_str());
            },
            kBudget, 100, fresh);
        PrintRow(row);
    }

    for (const std::string& copy : copies)
        DeleteFileA(copy.c_str());
    for (const std::string& path : {master, work, dropped})
        DeleteFileA(path.c_str());
}

// ---------------------------------------------------------------------------
// Damaged and hostile files: each opened in a process of its own, so that
// the process's peak memory is the open's alone.

bool WriteBytes(const std::string& path, const std::string& bytes) {
    fw::KernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    return file.Close() && ok;
}

std::string Repeat(const std::string& piece, size_t times) {
    std::string s;
    s.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i)
        s += piece;
    return s;
}

// Resident memory: Wine keeps the page-file counters at zero but reports
// the working set as the process's resident size.
size_t ResidentBytes(bool peak) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize;
}

// The child: opens the file once and prints its time and the growth of
// its peak memory over what it had before.
int OpenOnce(const std::string& path) {
    const size_t before = ResidentBytes(false);
    const double start = Now();
    bool ok = false;
    try {
        IniFile file;
        ok = file.Load(StorePath(path));
        records::ReadSystemNames(file, records::ReadOptions(file).recordCount);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    const double ms = Now() - start;
    std::printf("%d %.3f %zu\n", ok ? 1 : 0, ms, ResidentBytes(true) - before);
    return 0;
}

void RunHostile(const std::string& folder, const char* self) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    const std::string start = "[VelkoraDataFile]\r\nVelkoraDataNum=1\r\n[Velkora-DATA001]\r\n";
    std::vector<Case> cases;
    {
        const std::string records = PathIn(folder, "records-1000.vlk");
        CreateDataFile(records, 1000, 0);
        fw::KernelHandle file(CreateFileA(records.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
        std::string bytes(GetFileSize(file.Get(), nullptr), '\0');
        DWORD got = 0;
        ReadFile(file.Get(), &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
        cases.push_back({"1000 records", bytes});
    }
    cases.push_back(
        {"1 MiB blanks, 16000 duplicate keys",
         start + std::string(1 << 20, ' ') + "TreeView=1\r\n" + Repeat("TreeView=2\r\n", 16000)});
    cases.push_back(
        {"4 MiB blanks, 65536 duplicate keys",
         start + std::string(4 << 20, ' ') + "TreeView=1\r\n" + Repeat("TreeView=2\r\n", 65536)});
    cases.push_back({"1 MiB blanks, 4000 duplicate headers",
                     "[Velkora-DATA001]\r\n" + std::string(1 << 20, ' ') + "\r\n" +
                         Repeat("[Velkora-DATA001]\r\n", 4000)});
    cases.push_back({"48 MB of line feeds", std::string(48u << 20, '\n')});
    cases.push_back({"32 MB of comment lines", Repeat(";\r\n", (32u << 20) / 3)});

    std::printf("%-38s %9s %11s %13s\n", "file", "MB", "open (ms)", "peak bytes/B");
    const std::string path = PathIn(folder, "hostile.vlk");
    for (const Case& c : cases) {
        if (!WriteBytes(path, c.bytes)) {
            std::printf("cannot write %s\n", path.c_str());
            return;
        }
        const double mb = c.bytes.size() / 1048576.0;
        std::string command = std::string("\"") + self + "\" --open \"" + path + "\"";
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE pipeRead = nullptr, pipeWrite = nullptr;
        CreatePipe(&pipeRead, &pipeWrite, &inherit, 0);
        fw::KernelHandle readEnd(pipeRead), writeEnd(pipeWrite);
        SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = writeEnd.Get();
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        PROCESS_INFORMATION child{};
        if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                            &startup, &child)) {
            std::printf("cannot start %s\n", self);
            return;
        }
        fw::KernelHandle process(child.hProcess), thread(child.hThread);
        // Only the child holds the write end now: its exit ends the reads.
        writeEnd.Close();
        std::string out;
        char buffer[256];
        DWORD got = 0;
        while (ReadFile(readEnd.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
            out.append(buffer, got);
        WaitForSingleObject(process.Get(), INFINITE);
        int ok = 0;
        double ms = 0;
        unsigned long long peak = 0;
        if (std::sscanf(out.c_str(), "%d %lf %llu", &ok, &ms, &peak) != 3) {
            std::printf("%-38s %9.2f  the open crashed\n", c.name, mb);
            continue;
        }
        std::printf("%-38s %9.2f %11.1f %13.2f%s\n", c.name, mb, ms,
                    static_cast<double>(peak) / c.bytes.size(), ok ? "" : "  (refused)");
        std::fflush(stdout);
    }
    DeleteFileA(path.c_str());
    DeleteFileA(PathIn(folder, "records-1000.vlk").c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--open")
        return OpenOnce(argv[2]);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "velkora-records-benchmark";
    CreateDirectoryA(folder.c_str(), nullptr);
    if (argc == 2 && std::string(argv[1]) == "hostile") {
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        RunHostile(folder, self);
        RemoveDirectoryA(folder.c_str());
        return 0;
    }
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::atoi(argv[i]));
    if (counts.empty())
        counts = {10, 100, 1000, 5000};
    std::printf("Data-file store against the private-profile functions (ms per operation)\n");
    std::printf("%7s  %-34s %11s  %13s  %11s\n", "records", "operation", "store", "platform",
                "ratio");
    for (int count : counts)
        if (count > 0)
            RunSize(folder, count);
    RemoveDirectoryA(folder.c_str());
    return 0;
}
