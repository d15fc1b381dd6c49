// One record as one object: its three sections saved and loaded together,
// and its parts made empty without asking the machine anything.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cpu/cpu_platform.h"
#include "cpu/processor_probe.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record.h"
#include "sysinfo/sys_platform.h"
#include "sysinfo/system_probe.h"

namespace {

using records::IniFile;
using records::Record;

// Platforms that count every question put to them.
class CountingCpuPlatform : public cpu::NeutralCpuPlatform {
  public:
    bool CpuidAvailable() override { return ++calls, false; }
    cpu::CpuidResult Cpuid(uint32_t) override { return ++calls, cpu::CpuidResult{}; }
    uint64_t ReadTimeStampCounter() override { return ++calls, 0; }
    int64_t ReadPerformanceCounter() override { return ++calls, 0; }
    int64_t PerformanceFrequency() override { return ++calls, 0; }
    cpu::OsVersionInfo VersionInfo() override { return ++calls, cpu::OsVersionInfo{}; }
    uint32_t ProcessorCount() override { return ++calls, 1; }
    int calls = 0;
};

class CountingSysPlatform : public sysinfo::NeutralSysPlatform {
  public:
    cpu::OsVersionInfo VersionInfo() override { return ++calls, cpu::OsVersionInfo{}; }
    uint64_t TotalPhysicalMemory() override { return ++calls, 0; }
    bool UserName(std::string&) override { return ++calls, false; }
    bool ComputerName(std::string&) override { return ++calls, false; }
    uint32_t ProcessorCount() override { return ++calls, 1; }
    bool SystemParameter(uint32_t, uint32_t&) override { return ++calls, false; }
    bool DisplayAdapterName(std::string&) override { return ++calls, false; }
    sysinfo::RegistryReader& Registry() override { return ++calls, registry; }
    sysinfo::EmptyRegistry registry;
    int calls = 0;
};

TEST(RecordTest, APlainRecordAsksTheMachineNothing) {
    CountingCpuPlatform cpuPlatform;
    CountingSysPlatform sysPlatform;
    cpu::ScopedCpuPlatform cpuScope(cpuPlatform);
    sysinfo::ScopedSysPlatform sysScope(sysPlatform);

    const Record record;
    const CCpuInfo processor;
    const CSysInfo system;
    EXPECT_EQ(cpuPlatform.calls, 0);
    EXPECT_EQ(sysPlatform.calls, 0);
    EXPECT_EQ(record.processor.MultiProcessor, 1u);
    EXPECT_TRUE(record.processor.OsVersionText.empty());
    EXPECT_EQ(record.system.PlatformID, 0);
    EXPECT_TRUE(record.system.UserName.empty());

    // The probes of the running machine read it.
    const cpu::ProcessorProbe running;
    const CSysInfo runningSystem = sysinfo::SystemProbe().RunningSystem();
    EXPECT_GT(cpuPlatform.calls, 0);
    EXPECT_GT(sysPlatform.calls, 0);
}

Record Filled(const std::string& name) {
    Record record;
    record.system.SystemName = name;
    record.system.MEMO = "one\r\ntwo";
    record.system.PlatformID = 2;
    record.system.Setting = 0x1010001;
    std::snprintf(record.processor.ProcessorName, sizeof record.processor.ProcessorName, "P-%s",
                  name.c_str());
    record.processor.Frequency = 733.5;
    record.processor.MultiProcessor = 4;
    for (int i = 0; i < bench::kTestCount; ++i)
        record.timing.m_fTime[i] = 0.5f + static_cast<float>(i);
    return record;
}

TEST(RecordTest, SaveAndLoadCarryTheThreeSectionsOfOneRecordNumber) {
    for (int32_t n : {0, 7, 1000}) {
        IniFile file;
        Filled("other").Save(file, n + 1);
        Filled("this").Save(file, n);
        EXPECT_TRUE(file.HasSection(records::SystemSectionName(n))) << n;
        EXPECT_TRUE(file.HasSection(records::ProcessorSectionName(n))) << n;
        EXPECT_TRUE(file.HasSection(records::TimingSectionName(n))) << n;

        Record loaded;
        loaded.Load(file, n);
        EXPECT_EQ(loaded.system.SystemName, "this") << n;
        EXPECT_EQ(loaded.system.MEMO, "one\r\ntwo") << n;
        EXPECT_EQ(loaded.system.PlatformID, 2) << n;
        EXPECT_EQ(loaded.system.Setting, 0x1010001u) << n;
        EXPECT_STREQ(loaded.processor.ProcessorName, "P-this") << n;
        EXPECT_DOUBLE_EQ(loaded.processor.Frequency, 733.5) << n;
        EXPECT_EQ(loaded.processor.MultiProcessor, 4u) << n;
        EXPECT_EQ(loaded.timing.m_fTime[19], 19.5f) << n;

        // A number with nothing stored reads the defaults over everything.
        loaded.Load(file, n + 2);
        EXPECT_EQ(loaded.system.SystemName, "") << n;
        EXPECT_EQ(loaded.system.PlatformID, 1) << n;
        EXPECT_EQ(loaded.processor.MultiProcessor, 1u) << n;
        EXPECT_EQ(loaded.timing.m_fTime[19], 0.0f) << n;
    }
}

}  // namespace
