// Construction, clock arithmetic, the Windows version text and the summary
// of a processor record, on a platform whose readings the test sets.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "cpu/cpu_info.h"
#include "cpu/fixed_text.h"

namespace {

class FakeClockPlatform : public cpu::CpuPlatform {
  public:
    bool CpuidAvailable() override {
        calls += "cpuid-test ";
        return true;
    }
    cpu::CpuidResult Cpuid(uint32_t) override { return {}; }
    uint64_t ReadTimeStampCounter() override {
        calls += "tsc ";
        return tsc;
    }
    int64_t ReadPerformanceCounter() override {
        calls += "qpc ";
        return qpc;
    }
    int64_t PerformanceFrequency() override {
        calls += "rate ";
        return rate;
    }
    cpu::OsVersionInfo VersionInfo() override {
        calls += "version ";
        return version;
    }
    uint32_t ProcessorCount() override {
        calls += "count ";
        return processors;
    }

    uint64_t tsc = 0;
    int64_t qpc = 0;
    int64_t rate = 10000000;  // Wine's performance counter runs at 10 MHz
    cpu::OsVersionInfo version;
    uint32_t processors = 4;
    std::string calls;
};

TEST(CpuClockTest, ConstructionStepsRunInOrderAndStartTheClock) {
    FakeClockPlatform platform;
    platform.tsc = 0x0000000512345678;
    platform.qpc = 777;
    platform.version = {6, 1, 7601, cpu::kPlatformNt, "Service Pack 1"};
    CCpuInfo info(platform);
    EXPECT_EQ(platform.calls, "count rate version tsc qpc cpuid-test ");
    EXPECT_EQ(info.MultiProcessor, 4u);
    EXPECT_DOUBLE_EQ(info.QpcScale, 40.0);
    EXPECT_EQ(info.OsVersionText, "Windows7 Service Pack 1(6.1.7601)");
    EXPECT_EQ(info.TscStart.High, 5u);
    EXPECT_EQ(info.TscStart.Low, 0x12345678u);
    EXPECT_EQ(info.QpcStart, 777);
    EXPECT_EQ(info.CpuidAvailable, 1);
    EXPECT_EQ(info.Frequency, 0.0);
    EXPECT_EQ(cpu::FixedText(info.ProcessorName), "");
}

TEST(CpuClockTest, FrequencyIsCyclesPerMicrosecondAcrossAChangingHighHalf) {
    struct Case {
        uint64_t tscStart;
        uint64_t cycles;
        int64_t counts;  // at 10 MHz
        double mhz;
    };
    const Case kCases[] = {
        {0x00000004FFFFFFF0, 1300000000, 5000000, 2600.0},  // high half 4 -> 5, low wraps
        {0x00000000FFFFFF00, 0x200, 1, 5120.0},             // 512 cycles in 0.1 us
        {0x00001234FFFFFFFC, 4, 10, 4.0},                   // one quarter cycle across the halves
        {0, 233000000, 10000000, 233.0},
    };
    for (const Case& c : kCases) {
        FakeClockPlatform platform;
        platform.tsc = c.tscStart;
        platform.qpc = 1000;
        CCpuInfo info(platform);
        platform.tsc = c.tscStart + c.cycles;
        platform.qpc = 1000 + c.counts;
        info.StopClock();
        EXPECT_DOUBLE_EQ(info.Frequency, c.mhz) << std::hex << c.tscStart;
        // A second stop measures from the same start.
        platform.tsc += c.cycles;
        platform.qpc += c.counts;
        info.StopClock();
        EXPECT_DOUBLE_EQ(info.Frequency, c.mhz);
    }
}

TEST(CpuClockTest, NoPerformanceCounterIntervalGivesZeroMegahertz) {
    FakeClockPlatform platform;
    platform.tsc = 100;
    CCpuInfo info(platform);
    platform.tsc = 5000;
    info.StopClock();  // the performance counter has not moved
    EXPECT_EQ(info.Frequency, 0.0);
    std::strcpy(info.ProcessorName, "AMD-K6-2 Processor");
    EXPECT_EQ(info.SummaryText(), "AMD-K6-2 Processor at 0MHz");

    CCpuInfo unmeasured;  // the neutral platform: no counters at all
    EXPECT_EQ(unmeasured.ComputeFrequency(), 0.0);
}

TEST(CpuClockTest, SummaryRoundsHalvesUp) {
    CCpuInfo info;
    std::strcpy(info.ProcessorName, "Intel-Pentium III Processor");
    const std::pair<double, const char*> kCases[] = {
        {996.49, "Intel-Pentium III Processor at 996MHz"},
        {996.5, "Intel-Pentium III Processor at 997MHz"},
        {0.0, "Intel-Pentium III Processor at 0MHz"},
        {0.49, "Intel-Pentium III Processor at 0MHz"},
        {3400.0, "Intel-Pentium III Processor at 3400MHz"},
        {1e300, "Intel-Pentium III Processor at 2147483647MHz"},  // from an edited file
        {std::numeric_limits<double>::quiet_NaN(), "Intel-Pentium III Processor at 0MHz"},
    };
    for (const auto& c : kCases) {
        info.Frequency = c.first;
        EXPECT_EQ(info.SummaryText(), c.second);
    }
    std::memset(info.ProcessorName, 'A', sizeof info.ProcessorName);  // no terminator
    info.Frequency = 1.0;
    EXPECT_EQ(info.SummaryText(), std::string(64, 'A') + " at 1MHz");
}

TEST(CpuClockTest, WindowsVersionNamesForEveryRowAndThreshold) {
    const uint32_t ws = cpu::kProductWorkstation;
    const uint32_t dc = cpu::kProductDomainController;
    const uint32_t sv = cpu::kProductServer;
    struct Row {
        uint32_t platformId;
        uint32_t major;
        uint32_t minor;
        uint32_t build;
        const char* csd;
        uint32_t product;
        const char* text;
        int32_t family;
    };
    const Row kRows[] = {
        {0, 3, 10, 0, "", ws, "Windows3.1 (3.10.0)", 0},
        {1, 4, 0, 950, "", ws, "Windows95 (4.0.950)", 1},
        {1, 4, 0, 0x040007CD, " B", ws, "Windows95  B(4.0.1997)", 1},
        {1, 4, 10, 0x040A07CE, "", ws, "Windows98 (4.10.1998)", 1},  // high bits ignored
        {1, 4, 10, 1999, " A", ws, "Windows98  A(4.10.1999)", 1},
        {1, 4, 10, 2000, "", ws, "Windows2000 (4.10.2000)", 1},
        {1, 4, 10, 2222, "", ws, "Windows2000 (4.10.2222)", 1},
        // Minor version 90 is Windows Me, whatever its build says.
        {1, 4, 90, 0x045A0BB8, "", ws, "WindowsMe (4.90.3000)", 1},
        {1, 4, 90, 1998, "", ws, "WindowsMe (4.90.1998)", 1},
        {2, 3, 51, 1057, "Service Pack 5", ws, "WindowsNT3.51 Service Pack 5(3.51.1057)", 2},
        {2, 4, 0, 1381, "Service Pack 6", ws, "WindowsNT4.0 Service Pack 6(4.0.1381)", 2},
        {2, 4, 0, 1381, "Service Pack 6", sv, "WindowsNT4.0 Service Pack 6(4.0.1381)", 2},
        {2, 5, 0, 2195, "", ws, "Windows2000 (5.0.2195)", 2},
        {2, 5, 0, 2195, "", sv, "Windows2000 (5.0.2195)", 2},
        {2, 5, 1, 2600, "Service Pack 3", ws, "WindowsXP Service Pack 3(5.1.2600)", 2},
        {2, 5, 1, 2600, "", sv, "WindowsXP (5.1.2600)", 2},
        {2, 5, 2, 3790, "Service Pack 2", ws, "WindowsXP Service Pack 2(5.2.3790)", 2},
        {2, 5, 2, 3790, "Service Pack 2", sv, "WindowsServer2003 Service Pack 2(5.2.3790)", 2},
        {2, 5, 2, 3790, "", dc, "WindowsServer2003 (5.2.3790)", 2},
        {2, 6, 0, 6002, "Service Pack 2", ws, "WindowsVista Service Pack 2(6.0.6002)", 2},
        {2, 6, 0, 6002, "Service Pack 2", sv, "WindowsServer2008 Service Pack 2(6.0.6002)", 2},
        {2, 6, 1, 7601, "Service Pack 1", ws, "Windows7 Service Pack 1(6.1.7601)", 2},
        {2, 6, 1, 7601, "Service Pack 1", sv, "WindowsServer2008R2 Service Pack 1(6.1.7601)", 2},
        {2, 6, 2, 9200, "", ws, "Windows8 (6.2.9200)", 2},
        {2, 6, 2, 9200, "", dc, "WindowsServer2012 (6.2.9200)", 2},
        {2, 6, 3, 9600, "", ws, "Windows8.1 (6.3.9600)", 2},
        {2, 6, 3, 9600, "", sv, "WindowsServer2012R2 (6.3.9600)", 2},
        {2, 10, 0, 21999, "", ws, "Windows10 (10.0.21999)", 2},
        {2, 10, 0, 22000, "", ws, "Windows11 (10.0.22000)", 2},
        {2, 10, 0, 14393, "", sv, "WindowsServer2016 (10.0.14393)", 2},
        {2, 10, 0, 17762, "", sv, "WindowsServer2016 (10.0.17762)", 2},
        {2, 10, 0, 17763, "", sv, "WindowsServer2019 (10.0.17763)", 2},
        {2, 10, 0, 20347, "", dc, "WindowsServer2019 (10.0.20347)", 2},
        {2, 10, 0, 20348, "", sv, "WindowsServer2022 (10.0.20348)", 2},
        {2, 10, 0, 26099, "", sv, "WindowsServer2022 (10.0.26099)", 2},
        {2, 10, 0, 26100, "", sv, "WindowsServer2025 (10.0.26100)", 2},
        {2, 10, 0, 26100, "", ws, "Windows11 (10.0.26100)", 2},
        // Versions newer than the names known here, or between them.
        {2, 11, 0, 30000, "", ws, "WindowsNT11.0 (11.0.30000)", 2},
        {2, 11, 0, 30000, "", sv, "WindowsNT11.0 (11.0.30000)", 2},
        {2, 6, 4, 9841, "", ws, "WindowsNT6.4 (6.4.9841)", 2},
        {2, 10, 1, 30000, "", ws, "WindowsNT10.1 (10.1.30000)", 2},
        {3, 1, 0, 0, "", ws, "Windows2000 (1.0.0)", 0},
    };
    for (const Row& row : kRows) {
        FakeClockPlatform platform;
        platform.version = {row.major, row.minor, row.build, row.platformId, row.csd, row.product};
        CCpuInfo info(platform);
        EXPECT_EQ(info.OsVersionText, row.text);
        EXPECT_EQ(cpu::PlatformFamily(platform.version), row.family) << row.text;
    }
}

TEST(CpuClockTest, DefaultRecordsUseTheInstalledPlatform) {
    {
        FakeClockPlatform platform;
        platform.processors = 16;
        cpu::ScopedCpuPlatform installed(platform);
        CCpuInfo info;
        EXPECT_EQ(info.MultiProcessor, 16u);
        EXPECT_EQ(info.CpuidAvailable, 1);
    }
    CCpuInfo neutral;  // nothing installed natively
    EXPECT_EQ(neutral.MultiProcessor, 1u);
    EXPECT_EQ(neutral.CpuidAvailable, 0);
    EXPECT_EQ(neutral.OsVersionText, "Windows3.1 (0.0.0)");
}

}  // namespace
