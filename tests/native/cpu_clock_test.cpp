// Construction of a processor record, the clock arithmetic and the summary,
// on a platform whose readings the test sets.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "cpu/cpu_info.h"
#include "cpu/fixed_text.h"
#include "cpu/processor_probe.h"

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
    cpu::ProcessorProbe probe(platform);
    const CCpuInfo& info = probe.Record();
    EXPECT_EQ(platform.calls, "count rate version tsc qpc cpuid-test ");
    EXPECT_EQ(info.MultiProcessor, 4u);
    EXPECT_DOUBLE_EQ(probe.Clock().QpcScale(), 40.0);
    EXPECT_EQ(info.OsVersionText, "Windows7 Service Pack 1(6.1.7601)");
    EXPECT_EQ(probe.Clock().TscStart().High, 5u);
    EXPECT_EQ(probe.Clock().TscStart().Low, 0x12345678u);
    EXPECT_EQ(probe.Clock().QpcStart(), 777);
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
        cpu::TscClock clock(platform);
        clock.Start(platform);
        platform.tsc = c.tscStart + c.cycles;
        platform.qpc = 1000 + c.counts;
        EXPECT_DOUBLE_EQ(clock.Stop(platform), c.mhz) << std::hex << c.tscStart;
        // A second stop measures from the same start.
        platform.tsc += c.cycles;
        platform.qpc += c.counts;
        EXPECT_DOUBLE_EQ(clock.Stop(platform), c.mhz);
        EXPECT_DOUBLE_EQ(clock.Megahertz(), c.mhz);
    }
}

// Lets the probe's clock run: both counters move on, then the probe stops it.
void AdvanceAndStop(FakeClockPlatform& platform, cpu::ProcessorProbe& probe, uint64_t cycles,
                    int64_t counts) {
    platform.tsc += cycles;
    platform.qpc += counts;
    probe.StopClock();
}

TEST(CpuClockTest, ProbeStopStoresTheFigureOfTheClockItStarted) {
    FakeClockPlatform platform;
    platform.tsc = 1000;
    platform.qpc = 50;
    cpu::ProcessorProbe probe(platform);
    AdvanceAndStop(platform, probe, 466000000, 10000000);
    EXPECT_DOUBLE_EQ(probe.Record().Frequency, 466.0);
    EXPECT_EQ(probe.Clock().QpcEnd(), 10000050);
    EXPECT_EQ(probe.Clock().TscEnd().Low, 466001000u);
}

TEST(CpuClockTest, ACopiedRecordTakesTheFigureAndReadsNothing) {
    FakeClockPlatform platform;
    platform.tsc = 0x0000000300000004;
    platform.qpc = 5;
    cpu::ProcessorProbe probe(platform);
    AdvanceAndStop(platform, probe, 1000, 10);
    const std::string probeCalls = platform.calls;

    CCpuInfo copy;
    copy.CopyFrom(probe.Record());
    EXPECT_DOUBLE_EQ(copy.Frequency, 1000.0);  // 1000 cycles in 1 us
    EXPECT_EQ(copy.MultiProcessor, 4u);
    EXPECT_EQ(platform.calls, probeCalls);
}

TEST(CpuClockTest, NoPerformanceCounterIntervalGivesZeroMegahertz) {
    FakeClockPlatform platform;
    platform.tsc = 100;
    cpu::ProcessorProbe probe(platform);
    platform.tsc = 5000;
    probe.StopClock();  // the performance counter has not moved
    CCpuInfo info = probe.Record();
    EXPECT_EQ(info.Frequency, 0.0);
    std::strcpy(info.ProcessorName, "AMD-K6-2 Processor");
    EXPECT_EQ(info.SummaryText(), "AMD-K6-2 Processor at 0MHz");

    cpu::ProcessorProbe unmeasured;  // the neutral platform: no counters at all
    EXPECT_EQ(unmeasured.Clock().Megahertz(), 0.0);
    EXPECT_EQ(cpu::TscClock().Megahertz(), 0.0);
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

TEST(CpuClockTest, DefaultProbesUseTheInstalledPlatform) {
    {
        FakeClockPlatform platform;
        platform.processors = 16;
        cpu::ScopedCpuPlatform installed(platform);
        cpu::ProcessorProbe probe;
        EXPECT_EQ(probe.Record().MultiProcessor, 16u);
        EXPECT_EQ(probe.Record().CpuidAvailable, 1);
    }
    cpu::ProcessorProbe neutralProbe;  // nothing installed natively
    const CCpuInfo& neutral = neutralProbe.Record();
    EXPECT_EQ(neutral.MultiProcessor, 1u);
    EXPECT_EQ(neutral.CpuidAvailable, 0);
    EXPECT_EQ(neutral.OsVersionText, "Windows3.1 (0.0.0)");
}

}  // namespace
