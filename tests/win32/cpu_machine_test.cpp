// The processor record on the machine the tests run on, compared with what
// the host itself reports.
#include <windows.h>

#include <cpuid.h>
#include <gtest/gtest.h>
#include <x86intrin.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "cpu/cpu_info.h"
#include "cpu/fixed_text.h"
#include "cpu/processor_probe.h"
#include "cpu/windows_version_win32.h"

namespace {

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return "";
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// vendor_id and model name of the first processor in the host's
// /proc/cpuinfo, which Wine shows on its Z: drive.
bool ReadHostCpuinfo(std::string& vendor, std::string& model) {
    std::FILE* file = std::fopen("Z:\\proc\\cpuinfo", "r");
    if (file == nullptr)
        return false;
    char line[1024];
    while (std::fgets(line, sizeof line, file) != nullptr && (vendor.empty() || model.empty())) {
        std::string text = line;
        size_t colon = text.find(':');
        if (colon == std::string::npos)
            continue;
        std::string key = Trim(text.substr(0, colon));
        std::string value = Trim(text.substr(colon + 1));
        if (key == "vendor_id" && vendor.empty())
            vendor = value;
        if (key == "model name" && model.empty())
            model = value;
    }
    std::fclose(file);
    return !vendor.empty() && !model.empty();
}

// The 48 bytes of leaves 0x80000002 to 0x80000004, up to the first NUL.
std::string BrandString() {
    uint32_t registers[12] = {};
    for (uint32_t i = 0; i < 3; ++i) {
        __cpuid(0x80000002 + i, registers[4 * i], registers[4 * i + 1], registers[4 * i + 2],
                registers[4 * i + 3]);
    }
    const char* bytes = reinterpret_cast<const char*>(registers);
    return std::string(bytes, strnlen(bytes, sizeof registers));
}

// Seconds of the system time: a clock independent of the performance
// counter that the record measures against.
double SystemSeconds() {
    using PreciseTime = void(WINAPI*)(FILETIME*);
    static PreciseTime precise = reinterpret_cast<PreciseTime>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
    FILETIME time;
    if (precise != nullptr) {
        precise(&time);
    } else {
        GetSystemTimeAsFileTime(&time);
    }
    uint64_t ticks = (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
    return static_cast<double>(ticks) * 1e-7;
}

TEST(CpuMachineTest, VendorAndBrandMatchTheHostsProcessorList) {
    std::string vendor;
    std::string model;
    ASSERT_TRUE(ReadHostCpuinfo(vendor, model)) << "Z:\\proc\\cpuinfo cannot be read";

    cpu::ProcessorProbe probe;
    const CCpuInfo& info = probe.Record();
    ASSERT_EQ(info.CpuidAvailable, 1);
    ASSERT_EQ(probe.ProbeProcessor(), 1);
    EXPECT_EQ(cpu::FixedText(info.VendorName), vendor);

    // The code name carries the whole brand string on the extended path and
    // for Intel processors outside the naming table; the host's model name
    // is the same string.
    std::string name = cpu::FixedText(info.ProcessorName);
    std::string codeName = cpu::FixedText(info.CodeName);
    std::printf("[ host     ] %s, %s\n[ record   ] %s, %s, %s\n", vendor.c_str(), model.c_str(),
                cpu::FixedText(info.VendorName).c_str(), name.c_str(), codeName.c_str());
    bool showsBrand =
        vendor == "AuthenticAMD" || vendor == "CentaurHauls" || name == "Intel-(Unknown) Processor";
    ASSERT_TRUE(showsBrand) << name << ": a present-day host is not in the 1990s naming table";
    // A hypervisor may show the host kernel another model name than the
    // brand string it answers to CPUID, so the brand is read here directly.
    EXPECT_EQ(codeName, Trim(BrandString()));
    EXPECT_EQ(info.FeatureFlag & 0x10, 0x10u) << "every host that runs Wine has a TSC";
    // The processor line names it by its brand where the table cannot.
    if (CCpuInfo::IsUnknownName(name)) {
        EXPECT_EQ(info.SummaryText().rfind(codeName + " at ", 0), 0u) << info.SummaryText();
    }
}

// A time-stamp counter reading and the system time taken together, read
// again until nothing came between them (the two system times around the
// counter lie within 50 microseconds), so a preemption cannot split them.
struct ClockPair {
    double seconds;
    uint64_t tsc;
};

ClockPair ReadClockPair() {
    ClockPair pair{};
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const double before = SystemSeconds();
        pair.tsc = __rdtsc();
        const double after = SystemSeconds();
        pair.seconds = (before + after) / 2;
        if (after - before < 50e-6)
            break;
    }
    return pair;
}

// The record's own two readings (counter and performance counter) can still
// be split by a preemption on a busy machine, which moves its figure by the
// length of the preemption over the 1.5 s: a measurement off by more than
// 1 % is taken again, and one of three must agree.
TEST(CpuMachineTest, MeasuredFrequencyIsTheTimeStampCounterRate) {
    bool agreed = false;
    for (int attempt = 1; attempt <= 3 && !agreed; ++attempt) {
        const ClockPair start = ReadClockPair();
        cpu::ProcessorProbe probe;
        Sleep(1500);
        probe.StopClock();
        const CCpuInfo& info = probe.Record();
        const ClockPair end = ReadClockPair();

        const double reference =
            static_cast<double>(end.tsc - start.tsc) / (end.seconds - start.seconds) * 1e-6;
        std::printf(
            "[ clock    ] record %.3f MHz, time-stamp counter against system time %.3f "
            "MHz\n",
            info.Frequency, reference);
        RecordProperty("RecordMHz", std::to_string(info.Frequency));
        RecordProperty("ReferenceMHz", std::to_string(reference));
        EXPECT_GT(probe.Clock().QpcScale(), 0.0);
        agreed = std::fabs(info.Frequency - reference) <= reference * 0.01;
        if (agreed) {
            char expected[32];
            std::snprintf(expected, sizeof expected, " at %dMHz",
                          static_cast<int>(info.Frequency + 0.5));
            EXPECT_NE(info.SummaryText().find(expected), std::string::npos) << info.SummaryText();
        }
    }
    EXPECT_TRUE(agreed) << "three measurements all more than 1 % off the reference";
}

TEST(CpuMachineTest, ProbeNamesTheRunningWindowsAndItsProcessors) {
    cpu::ProcessorProbe probe;
    const CCpuInfo& info = probe.Record();
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    EXPECT_EQ(info.MultiProcessor, system.dwNumberOfProcessors);
    // Wine's default prefix reports Windows 7 SP1, a workstation.
    EXPECT_EQ(info.OsVersionText, "Windows7 Service Pack 1(6.1.7601)");
}

// Stand-ins for GetVersionExA: the running Windows seen through the
// structure size each accepts.
BOOL WINAPI RefusesExtendedStructure(OSVERSIONINFOA* info) {
    if (info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA))
        return FALSE;
    return GetVersionExA(info);
}

BOOL WINAPI ReportsAServer(OSVERSIONINFOA* info) {
    if (!GetVersionExA(info) || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOEXA))
        return FALSE;
    reinterpret_cast<OSVERSIONINFOEXA*>(info)->wProductType = VER_NT_SERVER;
    return TRUE;
}

BOOL WINAPI Fails(OSVERSIONINFOA*) {
    return FALSE;
}

TEST(CpuMachineTest, VersionComesWithItsProductTypeOrCountsAsAWorkstation) {
    struct Case {
        const char* name;
        cpu::GetVersionExProc call;
        uint32_t major;
        uint32_t productType;
        const char* versionName;
    };
    const Case kCases[] = {
        {"the running Windows", GetVersionExA, 6, cpu::kProductWorkstation, "7"},
        {"no extended structure", RefusesExtendedStructure, 6, cpu::kProductWorkstation, "7"},
        {"a server", ReportsAServer, 6, cpu::kProductServer, "Server2008R2"},
        {"no answer", Fails, 0, cpu::kProductWorkstation, "3.1"},
    };
    for (const Case& c : kCases) {
        cpu::OsVersionInfo version = cpu::QueryWindowsVersion(c.call);
        EXPECT_EQ(version.majorVersion, c.major) << c.name;
        EXPECT_EQ(version.productType, c.productType) << c.name;
        EXPECT_EQ(cpu::WindowsVersionName(version), c.versionName) << c.name;
        if (c.major != 0) {
            EXPECT_EQ(version.minorVersion, 1u) << c.name;
            EXPECT_EQ(cpu::BuildOf(version), 7601u) << c.name;
            EXPECT_EQ(version.csdVersion, "Service Pack 1") << c.name;
        }
    }
}

}  // namespace
