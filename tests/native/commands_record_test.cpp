// What the record commands compute: the proposal for a new record, the
// dialog's texts, and a record's clipboard text, which must import again as
// the same record.
#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "bench/mark_result.h"
#include "cpu/cpu_info.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record_commands.h"
#include "records/record_sections.h"
#include "records/record_store.h"
#include "sysinfo/sys_info.h"

namespace {

using records::IniFile;

std::tm Time(int year, int month, int day, int hour, int minute) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    return t;
}

CSysInfo System(const std::string& name, const std::string& memo = "line 1\r\nline 2") {
    CSysInfo sys;
    sys.SystemName = name;
    sys.UserName = "user " + name;
    sys.PCName = "PC-" + name;
    sys.PlatformInfo = "Windows 7 (6.1.7601 Service Pack 1)  1024MB Mem";
    sys.VideoCard = "Video of " + name;
    sys.Date = "2025.03/04.05:06";
    sys.MEMO = memo;
    sys.Setting = 0x1070004;
    sys.PlatformID = 2;
    return sys;
}

CCpuInfo Processor(const char* name, double mhz, uint32_t signature = 0x683) {
    CCpuInfo cpu;
    std::snprintf(cpu.ProcessorName, sizeof cpu.ProcessorName, "%s", name);
    std::snprintf(cpu.CodeName, sizeof cpu.CodeName, "Coppermine");
    std::snprintf(cpu.VendorName, sizeof cpu.VendorName, "GenuineIntel");
    cpu.Signature = signature;
    cpu.FeatureFlag = 0x0383F9FF;
    cpu.Frequency = mhz;
    cpu.CashFlagEAX = 0x03020101;
    cpu.CashFlagEBX = 0;
    cpu.CashFlagECX = 0x80000000;  // shown signed in the text block
    cpu.CashFlagEDX = 0x0C040882;
    cpu.L2CashSize = 256;
    cpu.MultiProcessor = 2;
    return cpu;
}

CMarkResult Times(float base) {
    CMarkResult times;
    for (int i = 0; i < bench::kTestCount; ++i)
        times.m_fTime[i] = base + 0.125f * static_cast<float>(i);
    return times;
}

// Records 1..n, record i with its own name, processor signature and times.
void Store(IniFile& file, int n) {
    for (int i = 1; i <= n; ++i) {
        records::SaveSection(file, i, System("R" + std::to_string(i)));
        records::SaveSection(file, i, Processor("P", 600.0 + i, 0x680u + static_cast<uint32_t>(i)));
        records::SaveSection(file, i, Times(static_cast<float>(i)));
    }
    records::WriteRecordCount(file, n);
}

TEST(RecordFormTest, TheDateReadsYearMonthDayHourMinuteWithLeadingZeros) {
    struct Case {
        std::tm time;
        const char* text;
    } cases[] = {
        {Time(2026, 12, 7, 9, 5), "2026.12/07.09:05"},
        {Time(1999, 1, 1, 0, 0), "1999.01/01.00:00"},
        {Time(2000, 10, 31, 23, 59), "2000.10/31.23:59"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(records::FormatRecordDate(c.time), c.text);
}

TEST(RecordFormTest, OnlyTheDefaultLoopCountAllowsAdding) {
    struct Case {
        int32_t loop;
        bool allowed;
    } cases[] = {{10000, true}, {20000, false}, {5000, false}, {9999, false}, {0, false}};
    for (const Case& c : cases)
        EXPECT_EQ(records::LoopCountAllowsAdding(c.loop), c.allowed) << c.loop;
}

TEST(RecordFormTest, ANewRecordIsProposedFromRecordZeroWithANumberedName) {
    IniFile file;
    const CSysInfo system0 = System("This System", "a\r\nb");
    const CCpuInfo processor0 = Processor("P", 699.6);
    const std::tm now = Time(2026, 12, 7, 10, 15);

    records::RecordForm form = records::NewRecordForm(file, 0, system0, processor0, now);
    EXPECT_EQ(form.systemName, "P at 700MHz System");
    EXPECT_EQ(form.userName, "user This System");
    EXPECT_EQ(form.pcName, "PC-This System");
    EXPECT_EQ(form.memo, "a\r\nb") << "the memo keeps its line breaks for the dialog";
    EXPECT_EQ(form.date, "2026.12/07.10:15");

    // Stored names that begin with the proposal number the next one.
    const char* stored[] = {"P at 700MHz System", "other", "P at 700MHz System(2)"};
    const char* expected[] = {"P at 700MHz System(2)", "P at 700MHz System(2)",
                              "P at 700MHz System(3)"};
    for (int i = 0; i < 3; ++i) {
        records::SaveSection(file, i + 1, System(stored[i]));
        form = records::NewRecordForm(file, i + 1, system0, processor0, now);
        EXPECT_EQ(form.systemName, expected[i]) << "after storing " << stored[i];
    }
    // Only records 1..count are looked at.
    form = records::NewRecordForm(file, 0, system0, processor0, now);
    EXPECT_EQ(form.systemName, "P at 700MHz System");
}

TEST(RecordFormTest, TheUsersTextsReplaceTheNamesAndTheRestOfRecordZeroStays) {
    CSysInfo sys = System("This System");
    records::RecordForm form;
    form.systemName = "Typed name";
    form.userName = "Typed user";
    form.pcName = "TYPED-PC";
    form.memo = "x\r\ny";
    form.date = "2026.12/07.10:15";
    records::ApplyRecordForm(form, sys);
    EXPECT_EQ(sys.SystemName, "Typed name");
    EXPECT_EQ(sys.UserName, "Typed user");
    EXPECT_EQ(sys.PCName, "TYPED-PC");
    EXPECT_EQ(sys.MEMO, "x\r\ny");
    EXPECT_EQ(sys.Date, "2026.12/07.10:15");
    EXPECT_EQ(sys.VideoCard, "Video of This System");
    EXPECT_EQ(sys.PlatformInfo, "Windows 7 (6.1.7601 Service Pack 1)  1024MB Mem");
    EXPECT_EQ(sys.PlatformID, 2);

    // The deletion dialog shows a stored record's own texts.
    const records::RecordForm shown = records::StoredRecordForm(System("R2"));
    EXPECT_EQ(shown.systemName, "R2");
    EXPECT_EQ(shown.userName, "user R2");
    EXPECT_EQ(shown.pcName, "PC-R2");
    EXPECT_EQ(shown.memo, "line 1\r\nline 2");
    EXPECT_EQ(shown.date, "2025.03/04.05:06");
}

TEST(RecordClipboardTextTest, StoredRecordThreeIsCopiedAsRecordOneOfItsOwnFile) {
    IniFile file;
    Store(file, 5);
    CSysInfo sys;
    CCpuInfo cpu;
    CMarkResult times;
    records::LoadSection(file, 3, sys);
    records::LoadSection(file, 3, cpu);
    records::LoadSection(file, 3, times);
    const std::string text = records::RecordClipboardText(sys, cpu, times);

    // The four blocks in order, every section numbered 001.
    const char* sections[] = {"[VelkoraDataFile]\r\n\tVelkoraDataNum = 1\r\n\r\n",
                              "[SystemInfo-DATA001]\r\n\tSystemName = R3\r\n",
                              "[InfoCPU-DATA001]\r\n\tProcessorName = P\r\n",
                              "[Velkora-DATA001]\r\n\tStandard Text = 3.000000\r\n"};
    size_t at = 0;
    for (const char* section : sections) {
        const size_t found = text.find(section, at);
        ASSERT_NE(found, std::string::npos) << section;
        at = found;
    }
    EXPECT_EQ(text.find("[VelkoraDataFile]"), 0u);
    for (const char* other : {"DATA003", "DATA000", "DATA002"})
        EXPECT_EQ(text.find(other), std::string::npos) << other;
    EXPECT_NE(text.find("\tSignature = 0x683\r\n"), std::string::npos)
        << "the signature 1667 is shown in hexadecimal";
    EXPECT_NE(text.find("\tMEMO = line 1:;line 2\r\n"), std::string::npos);
    EXPECT_NE(text.find("\tCashFlagECX = -2147483648\r\n"), std::string::npos);

    // Pasted into a file and dropped on a window with five records, it is
    // imported as record 6, equal to record 3.
    IniFile pasted;
    ASSERT_TRUE(pasted.Parse(text));
    IniFile target;
    Store(target, 5);
    int32_t count = 5;
    const std::vector<std::string> names = records::ImportRecords(pasted, target, count);
    EXPECT_EQ(names, std::vector<std::string>{"R3"});
    EXPECT_EQ(count, 6);
    CSysInfo importedSys;
    CCpuInfo importedCpu;
    CMarkResult importedTimes;
    records::LoadSection(target, 6, importedSys);
    records::LoadSection(target, 6, importedCpu);
    records::LoadSection(target, 6, importedTimes);
    EXPECT_EQ(records::RecordClipboardText(importedSys, importedCpu, importedTimes), text)
        << "every field survives the round trip";
}

TEST(RecordClipboardTextTest, RecordZeroIsCopiedAsRecordOneToo) {
    IniFile file;
    Store(file, 1);
    CSysInfo sys = System("This System");
    sys.Date = "";
    records::SaveSection(file, 0, sys);
    records::SaveSection(file, 0, Processor("Q", 1000.0));
    records::SaveSection(file, 0, Times(0.5f));
    CSysInfo loadedSys;
    CCpuInfo loadedCpu;
    CMarkResult loadedTimes;
    records::LoadSection(file, 0, loadedSys);
    records::LoadSection(file, 0, loadedCpu);
    records::LoadSection(file, 0, loadedTimes);
    const std::string text = records::RecordClipboardText(loadedSys, loadedCpu, loadedTimes);
    EXPECT_NE(text.find("[SystemInfo-DATA001]\r\n\tSystemName = This System\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\tDate = \r\n"), std::string::npos);
    EXPECT_NE(text.find("\tProcessorName = Q\r\n"), std::string::npos);
    EXPECT_EQ(text.find("DATA000"), std::string::npos);
}

}  // namespace
