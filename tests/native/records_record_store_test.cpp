// The system and processor sections, the text blocks, and adding, deleting
// and importing records over the store.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bench/mark_result.h"
#include "cpu/cpu_info.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record.h"
#include "records/record_sections.h"
#include "records/record_store.h"
#include "sysinfo/sys_info.h"

namespace {

using records::IniFile;

// The names ReadSystemNames lists, without their numbers.
std::vector<std::string> NamesOf(const std::vector<records::StoredName>& stored) {
    std::vector<std::string> names;
    for (const records::StoredName& s : stored)
        names.push_back(s.name);
    return names;
}

CSysInfo MakeSystem(const std::string& name, int32_t platform = 2) {
    CSysInfo sys;
    sys.SystemName = name;
    sys.UserName = "user of " + name;
    sys.PCName = "PC-" + name;
    sys.PlatformInfo = "Windows98(4.10.1998)  64MB Mem";
    sys.VideoCard = "Card 8MB";
    sys.Date = "2026.12/07.10:15";
    sys.MEMO = "first\r\nsecond";
    sys.Setting = 0x1050002;
    sys.PlatformID = platform;
    return sys;
}

CCpuInfo MakeProcessor(const char* name) {
    CCpuInfo cpu;
    std::snprintf(cpu.ProcessorName, sizeof cpu.ProcessorName, "%s", name);
    std::snprintf(cpu.CodeName, sizeof cpu.CodeName, "Coppermine");
    std::snprintf(cpu.VendorName, sizeof cpu.VendorName, "GenuineIntel");
    cpu.Signature = 0x683;
    cpu.FeatureFlag = 0x0383F9FF;
    cpu.Frequency = 699.6;
    cpu.CashFlagEAX = 0x03020101;
    cpu.CashFlagEDX = 0x0C040882;
    cpu.CashFlagECX = 0xFFFFFFFF;
    cpu.L2CashSize = 256;
    cpu.MultiProcessor = 2;
    return cpu;
}

CMarkResult MakeTimes(float base) {
    CMarkResult times;
    for (int i = 0; i < bench::kTestCount; ++i)
        times.m_fTime[i] = base + 0.25f * i;
    return times;
}

TEST(RecordSectionsTest, SystemRecordRoundTripsWithItsMemoStoredOnOneLine) {
    IniFile file;
    CSysInfo sys = MakeSystem("A");
    sys.MEMO = "a\r\nb\r\nc";
    records::SaveSection(file, 7, sys);
    EXPECT_EQ(file.GetString("SystemInfo-DATA007", "MEMO", "?"), "a:;b:;c");
    EXPECT_EQ(file.GetString("SystemInfo-DATA007", "Setting", "?"), "17104898");
    CSysInfo back;
    records::LoadSection(file, 7, back);
    EXPECT_EQ(back.SystemName, "A");
    EXPECT_EQ(back.PCName, "PC-A");
    EXPECT_EQ(back.MEMO, "a\r\nb\r\nc");
    EXPECT_EQ(back.Setting, 0x1050002u);
    EXPECT_EQ(back.PlatformID, 2);
    EXPECT_EQ(sys.MEMO, "a\r\nb\r\nc") << "saving encodes a copy";
}

TEST(RecordSectionsTest, MissingKeysReadAsTheirDefaults) {
    IniFile file;
    ASSERT_TRUE(
        file.Parse("[SystemInfo-DATA001]\r\nSystemName=x\r\n[InfoCPU-DATA001]\r\n"
                   "Frequency=abc\r\n[Velkora-DATA001]\r\nTreeView=1.5\r\n"));
    CSysInfo sys = MakeSystem("old");
    CCpuInfo cpu = MakeProcessor("old");
    CMarkResult times = MakeTimes(9.0f);
    records::LoadSection(file, 1, sys);
    records::LoadSection(file, 1, cpu);
    records::LoadSection(file, 1, times);
    EXPECT_EQ(sys.SystemName, "x");
    EXPECT_EQ(sys.UserName, "");
    EXPECT_EQ(sys.Setting, 0u);
    EXPECT_EQ(sys.PlatformID, 1) << "a record without the key counts as the 95 family";
    EXPECT_EQ(cpu.MultiProcessor, 1u);
    EXPECT_EQ(cpu.Signature, 0u);
    EXPECT_EQ(cpu.Frequency, 0.0);
    EXPECT_STREQ(cpu.ProcessorName, "");
    EXPECT_EQ(times.m_fTime[14], 1.5f);
    EXPECT_EQ(times.m_fTime[0], 0.0f);
}

TEST(RecordSectionsTest, ProcessorNamesAreCutToTheirArrays) {
    IniFile file;
    const std::string longName(150, 'N');
    file.SetString("InfoCPU-DATA002", "ProcessorName", longName);
    file.SetString("InfoCPU-DATA002", "CodeName", std::string(70, 'C'));
    file.SetString("InfoCPU-DATA002", "VendorName", "AuthenticAMD-and-more");
    file.SetString("InfoCPU-DATA002", "CashFlagECX", "4294967295");
    CCpuInfo cpu;
    records::LoadSection(file, 2, cpu);
    EXPECT_EQ(std::strlen(cpu.ProcessorName), 63u);
    EXPECT_EQ(std::string(cpu.CodeName), std::string(63, 'C'));
    EXPECT_STREQ(cpu.VendorName, "AuthenticAMD-an");
    EXPECT_EQ(cpu.CashFlagECX, 4294967295u);
}

TEST(RecordSectionsTest, ProcessorRecordRoundTripsInItsFormats) {
    IniFile file;
    CCpuInfo cpu = MakeProcessor("Intel-Pentium III Processor");
    records::SaveSection(file, 0, cpu);
    EXPECT_EQ(file.GetString("InfoCPU-DATA000", "Signature", "?"), "1667");
    EXPECT_EQ(file.GetString("InfoCPU-DATA000", "Frequency", "?"), "699.600000");
    EXPECT_EQ(file.GetString("InfoCPU-DATA000", "CashFlagECX", "?"), "4294967295");
    CCpuInfo back;
    records::LoadSection(file, 0, back);
    EXPECT_STREQ(back.ProcessorName, "Intel-Pentium III Processor");
    EXPECT_EQ(back.Signature, 0x683u);
    EXPECT_EQ(back.CashFlagEDX, 0x0C040882u);
    EXPECT_EQ(back.MultiProcessor, 2u);
    EXPECT_DOUBLE_EQ(back.Frequency, 699.6);
    EXPECT_EQ(back.SummaryText(), "Intel-Pentium III Processor at 700MHz");
}

TEST(RecordTextTest, TheFourBlocksReadAsAOneRecordDataFile) {
    std::string text;
    records::AppendHeaderText(text);
    CSysInfo sys = MakeSystem("Bench PC");
    sys.MEMO = "one\r\ntwo";
    records::AppendSectionText(text, sys);
    records::AppendSectionText(text, MakeProcessor("Intel-Pentium III Processor"));
    CMarkResult times = MakeTimes(1.0f);
    records::AppendSectionText(text, times);

    const std::string expectedStart =
        "[VelkoraDataFile]\r\n\tVelkoraDataNum = 1\r\n\r\n"
        "[SystemInfo-DATA001]\r\n\tSystemName = Bench PC\r\n\tUserName = user of Bench PC\r\n"
        "\tPCName = PC-Bench PC\r\n\tPlatformInfo = Windows98(4.10.1998)  64MB Mem\r\n"
        "\tPlatformID = 2\r\n\tVideoCard = Card 8MB\r\n\tDate = 2026.12/07.10:15\r\n"
        "\tMEMO = one:;two\r\n\tSetting = 17104898\r\n\r\n"
        "[InfoCPU-DATA001]\r\n\tProcessorName = Intel-Pentium III Processor\r\n"
        "\tCodeName = Coppermine\r\n\tVendorName = GenuineIntel\r\n\tSignature = 0x683\r\n"
        "\tFeatureFlag = 58980863\r\n\tFrequency = 699.600000\r\n\tCashFlagEAX = 50462977\r\n"
        "\tCashFlagEBX = 0\r\n\tCashFlagECX = -1\r\n\tCashFlagEDX = 201590914\r\n"
        "\tL2CashSize = 256\r\n\tMultiProcessor = 2\r\n\tCashLeaf4 = 0\r\n\tL1ICashEBX = 0\r\n"
        "\tL1ICashSets = 0\r\n\tL1DCashEBX = 0\r\n\tL1DCashSets = 0\r\n\tL2CashEBX = 0\r\n"
        "\tL2CashSets = 0\r\n\r\n"
        "[Velkora-DATA001]\r\n\tStandard Text = 1.000000\r\n\tStandard Text(2) = 1.250000\r\n";
    EXPECT_EQ(text.substr(0, expectedStart.size()), expectedStart);
    const std::string tail = "\tEnable / Disable Controls = 5.750000\r\n";
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail)
        << "the timing block ends without a blank line";

    // Saved as a file, the text is a data file with one record.
    IniFile pasted;
    ASSERT_TRUE(pasted.Parse(text));
    EXPECT_EQ(records::TrustedRecordCount(pasted, records::ReadOptions(pasted).recordCount), 1);
    CSysInfo readSys;
    CCpuInfo readCpu;
    CMarkResult readTimes;
    records::LoadSection(pasted, 1, readSys);
    records::LoadSection(pasted, 1, readCpu);
    records::LoadSection(pasted, 1, readTimes);
    EXPECT_EQ(readSys.MEMO, "one\r\ntwo");
    EXPECT_EQ(readSys.PlatformID, 2);
    EXPECT_EQ(readCpu.Signature, 0x683u) << "the integer reader takes the 0x form";
    EXPECT_EQ(readTimes.m_fTime[19], 5.75f);
}

// A store with records 1..n named R1..Rn, with their times telling them apart.
IniFile* MakeStore(IniFile& file, int n) {
    for (int i = 1; i <= n; ++i) {
        records::SaveSection(file, i, MakeSystem("R" + std::to_string(i)));
        records::SaveSection(file, i, MakeProcessor("P"));
        records::SaveSection(file, i, MakeTimes(static_cast<float>(i)));
    }
    records::WriteRecordCount(file, n);
    return &file;
}

std::string NameOf(const IniFile& file, int n) {
    return file.GetString(records::SystemSectionName(n), "SystemName", "");
}

TEST(RecordStoreTest, AddingSavesRecordNPlusOneAndWritesTheCount) {
    IniFile file;
    MakeStore(file, 2);
    CSysInfo sys = MakeSystem("new");
    CCpuInfo cpu = MakeProcessor("P");
    CMarkResult times = MakeTimes(42.0f);
    EXPECT_EQ(records::AddRecord(file, 2, {sys, cpu, times}), 3);
    EXPECT_EQ(NameOf(file, 3), "new");
    EXPECT_EQ(file.GetString("Velkora-DATA003", "Standard Text", ""), "42.000000");
    EXPECT_EQ(records::ReadOptions(file).recordCount, 3);
}

TEST(RecordStoreTest, DefaultNamesAreNumberedByHowManyAlreadyStartWithThem) {
    IniFile file;
    const std::string summary = "P at 700MHz";
    EXPECT_EQ(records::DefaultRecordName(file, 0, summary), "P at 700MHz System");
    records::SaveSection(file, 1, MakeSystem("P at 700MHz System"));
    EXPECT_EQ(records::DefaultRecordName(file, 1, summary), "P at 700MHz System(2)");
    records::SaveSection(file, 2, MakeSystem("P at 700MHz System(2)"));
    EXPECT_EQ(records::DefaultRecordName(file, 2, summary), "P at 700MHz System(3)");
    // After the first is deleted one remains: the proposal repeats "(2)".
    records::WriteRecordCount(file, 2);
    int32_t count = records::DeleteRecord(file, 2, 1);
    EXPECT_EQ(records::DefaultRecordName(file, count, summary), "P at 700MHz System(2)");
}

bool Present(const IniFile& file, int32_t n) {
    return file.HasSection(records::SystemSectionName(n)) ||
           file.HasSection(records::ProcessorSectionName(n)) ||
           file.HasSection(records::TimingSectionName(n));
}

TEST(RecordStoreTest, DeletingRecordTwoOfFourMovesTheRestDownAndRemovesTheOldLast) {
    IniFile file;
    MakeStore(file, 4);
    EXPECT_EQ(records::DeleteRecord(file, 4, 2), 3);
    EXPECT_EQ(NameOf(file, 1), "R1");
    EXPECT_EQ(NameOf(file, 2), "R3");
    EXPECT_EQ(NameOf(file, 3), "R4");
    EXPECT_FALSE(Present(file, 4)) << "no copy of the old last record stays behind";
    EXPECT_EQ(file.GetString("Velkora-DATA002", "Standard Text", ""), "3.000000");
    EXPECT_EQ(records::ReadOptions(file).recordCount, 3);
    // Outside 1..count nothing changes.
    EXPECT_EQ(records::DeleteRecord(file, 3, 0), 3);
    EXPECT_EQ(records::DeleteRecord(file, 3, 4), 3);
    EXPECT_EQ(NameOf(file, 2), "R3");
}

TEST(RecordStoreTest, ImportingAppendsTheRecordsReallyThere) {
    IniFile source;
    MakeStore(source, 3);
    records::SaveSection(source, 0, MakeSystem("not imported"));
    IniFile file;
    MakeStore(file, 5);
    int32_t count = 5;
    std::vector<std::string> names = records::ImportRecords(source, file, count);
    EXPECT_EQ(count, 8);
    EXPECT_EQ(names, (std::vector<std::string>{"R1", "R2", "R3"}));
    EXPECT_EQ(NameOf(file, 6), "R1");
    EXPECT_EQ(NameOf(file, 8), "R3");
    EXPECT_EQ(file.GetString("Velkora-DATA008", "Standard Text", ""), "3.000000");
    EXPECT_EQ(records::ReadOptions(file).recordCount, 8);

    // A file that claims far more records than it holds: only what is there.
    IniFile liar;
    MakeStore(liar, 2);
    records::WriteRecordCount(liar, 2000000000);
    names = records::ImportRecords(liar, file, count);
    EXPECT_EQ(names.size(), 2u);
    EXPECT_EQ(count, 10);

    // A file without records changes nothing.
    IniFile empty;
    ASSERT_TRUE(empty.Parse("[VelkoraDataFile]\r\nVelkoraLoop=5000\r\n"));
    const std::string before = file.Render();
    EXPECT_TRUE(records::ImportRecords(empty, file, count).empty());
    EXPECT_EQ(count, 10);
    EXPECT_EQ(file.Render(), before);
}

TEST(RecordStoreTest, ImportingTakesOnlyTheRecordsThereAndClosesUpTheGaps) {
    // A one-line claim and one empty section: one record, not 99999.
    IniFile claim, file;
    ASSERT_TRUE(claim.Parse("[VelkoraDataFile]\nVelkoraDataNum=99999\n[SystemInfo-DATA99999]"));
    MakeStore(file, 3);
    const size_t before = file.Render().size();
    int32_t count = 3;
    EXPECT_EQ(records::ImportRecords(claim, file, count), std::vector<std::string>{""});
    EXPECT_EQ(count, 4);
    EXPECT_LE(file.Render().size(), before + 300);

    // Records 2, 5 (its timing only) and 9 of a claimed 9, imported after
    // record 2: no section of the records 3 and 4 beyond it shows through.
    IniFile source;
    for (int n : {2, 9, 12})
        records::SaveSection(source, n, MakeSystem("G" + std::to_string(n)));
    records::SaveSection(source, 5, MakeTimes(5.0f));
    records::WriteRecordCount(source, 9);
    count = 2;
    EXPECT_EQ(records::ImportRecords(source, file, count),
              (std::vector<std::string>{"G2", "", "G9"}));
    EXPECT_EQ(count, 5);
    EXPECT_FALSE(file.HasSection("Velkora-DATA003") || file.HasSection("SystemInfo-DATA004"));
    EXPECT_EQ(NamesOf(records::ReadSystemNames(file, 5)),
              (std::vector<std::string>{"R1", "R2", "G2", "", "G9"}));
}

TEST(RecordStoreTest, DeletingMovesGapsDownAsGapsLikeOneRecordAtATime) {
    struct Case {
        std::vector<int> present;
        int32_t k;
    } cases[] = {{{1, 2, 4, 5}, 1}, {{1, 2, 4, 5}, 3},    {{1, 3, 5, 7}, 2},
                 {{2, 3, 6}, 1},    {{1, 2, 3, 6, 7}, 7}, {{1, 2, 3}, 2}};
    for (const Case& c : cases) {
        const int32_t count = c.present.back();
        IniFile file, reference, original;
        for (int n : c.present) {
            records::SaveSection(file, n, MakeSystem("R" + std::to_string(n)));
            records::SaveSection(file, n, MakeTimes(static_cast<float>(n)));
        }
        records::WriteRecordCount(file, count);
        reference.Parse(file.Render());
        original.Parse(file.Render());
        const int32_t left = records::DeleteRecord(file, count, c.k);

        // One record at a time: o + 1 moves to o, a missing one as a gap.
        // Each section copied whole, and the old last record removed.
        for (int32_t o = c.k; o < count; ++o) {
            if (Present(reference, o + 1)) {
                reference.CopySection(reference, records::SystemSectionName(o + 1),
                                      records::SystemSectionName(o));
                reference.CopySection(reference, records::ProcessorSectionName(o + 1),
                                      records::ProcessorSectionName(o));
                reference.CopySection(reference, records::TimingSectionName(o + 1),
                                      records::TimingSectionName(o));
            } else {
                for (const std::string& name :
                     {records::SystemSectionName(o), records::ProcessorSectionName(o),
                      records::TimingSectionName(o)})
                    reference.RemoveSection(name);
            }
        }
        for (const std::string& name :
             {records::SystemSectionName(count), records::ProcessorSectionName(count),
              records::TimingSectionName(count)})
            reference.RemoveSection(name);
        records::WriteRecordCount(reference, records::TrustedRecordCount(reference, count - 1));
        EXPECT_EQ(file.Render(), reference.Render()) << "k " << c.k << " of " << count;
        EXPECT_EQ(left, records::StoredRecordCount(reference));
        for (int32_t o = 1; o <= left; ++o) {
            const int32_t was = o < c.k ? o : o + 1;
            EXPECT_EQ(Present(file, o), Present(original, was)) << "record " << o;
            EXPECT_EQ(NameOf(file, o), NameOf(original, was)) << "record " << o;
        }
    }
}

TEST(RecordStoreTest, AStoredCountIsTrustedOnlyAsFarAsRecordsExist) {
    IniFile file;
    MakeStore(file, 3);
    EXPECT_EQ(records::TrustedRecordCount(file, 3), 3);
    EXPECT_EQ(records::TrustedRecordCount(file, 2), 2) << "more sections than the count";
    EXPECT_EQ(records::TrustedRecordCount(file, 2147483647), 3);
    EXPECT_EQ(records::TrustedRecordCount(file, -5), 0);
    // A record with only its timing section still counts.
    IniFile partial;
    records::SaveSection(partial, 1, MakeTimes(1.0f));
    EXPECT_EQ(records::TrustedRecordCount(partial, 1), 1);
}

// Hundreds of adds, imports and deletes against a plain model of the records.
TEST(RecordStoreTest, ManyOperationsKeepEveryRecord) {
    IniFile file;
    std::vector<std::string> model;  // model[i] = name of record i + 1
    int32_t count = 0;
    unsigned seed = 12345;
    auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    for (int step = 0; step < 400; ++step) {
        unsigned op = next(10);
        if (op < 5) {
            CSysInfo added = MakeSystem("add" + std::to_string(step));
            CCpuInfo addedCpu = MakeProcessor("P");
            CMarkResult addedTimes = MakeTimes(static_cast<float>(step));
            count = records::AddRecord(file, count, {added, addedCpu, addedTimes});
            model.push_back(added.SystemName);
        } else if (op < 7) {
            IniFile source;
            const int m = static_cast<int>(next(4));
            for (int i = 1; i <= m; ++i) {
                records::SaveSection(
                    source, i, MakeSystem("imp" + std::to_string(step) + "." + std::to_string(i)));
                records::SaveSection(source, i, MakeTimes(1.0f));
                model.push_back("imp" + std::to_string(step) + "." + std::to_string(i));
            }
            records::WriteRecordCount(source, m);
            records::ImportRecords(source, file, count);
        } else if (count > 0) {
            const int k = 1 + static_cast<int>(next(static_cast<unsigned>(count)));
            count = records::DeleteRecord(file, count, k);
            model.erase(model.begin() + (k - 1));
        }
        ASSERT_EQ(count, static_cast<int32_t>(model.size())) << "step " << step;
    }
    ASSERT_GT(count, 100);
    IniFile reread;
    ASSERT_TRUE(reread.Parse(file.Render()));
    EXPECT_EQ(records::ReadOptions(reread).recordCount, count);
    const std::vector<std::string> names = NamesOf(records::ReadSystemNames(reread, count));
    EXPECT_EQ(names, model);
}

}  // namespace
