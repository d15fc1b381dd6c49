#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "bench/catalogue.h"
#include "bench/mark_result.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record_sections.h"

namespace {

using records::IniFile;

// A UTF-8 path as the platform spells it.
records::FilePath PathOf(const std::string& utf8) {
    const std::u16string wide = fw::Utf8ToUtf16(utf8);
#ifdef _WIN32
    return records::FilePath(wide.begin(), wide.end());
#else
    return fw::Utf16ToUtf8(wide);
#endif
}

TEST(DataFileTest, RecordSectionsAreNumberedWithAtLeastThreeDigits) {
    struct Case {
        int record;
        const char *system, *processor, *timing;
    } cases[] = {
        {0, "SystemInfo-DATA000", "InfoCPU-DATA000", "Velkora-DATA000"},
        {7, "SystemInfo-DATA007", "InfoCPU-DATA007", "Velkora-DATA007"},
        {999, "SystemInfo-DATA999", "InfoCPU-DATA999", "Velkora-DATA999"},
        {1000, "SystemInfo-DATA1000", "InfoCPU-DATA1000", "Velkora-DATA1000"},
        {123456, "SystemInfo-DATA123456", "InfoCPU-DATA123456", "Velkora-DATA123456"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(records::SystemSectionName(c.record), c.system);
        EXPECT_EQ(records::ProcessorSectionName(c.record), c.processor);
        EXPECT_EQ(records::TimingSectionName(c.record), c.timing);
    }
}

TEST(DataFileTest, DataFileLiesBesideTheExecutableWithExtensionVlk) {
    struct Case {
        const char* executable;  // UTF-8
        const char* expected;
    } cases[] = {
        {"C:\\Tools\\bench.exe", "C:\\Tools\\bench.vlk"},
        {"C:\\Tools\\BENCH.EXE", "C:\\Tools\\BENCH.vlk"},
        {"C:\\my.tools\\bench.x", "C:\\my.tools\\bench.vlk"},
        {"C:\\my.tools\\bench", "C:\\my.tools\\bench.vlk"},  // no extension: added
        {"C:\\a.b\\c.d.exe", "C:\\a.b\\c.d.vlk"},
        {"D:bench", "D:bench.vlk"},
        {"/opt/velkora/velkora.exe", "/opt/velkora/velkora.vlk"},
        // Folders and names that no ANSI code page spells whole.
        {"C:\\Users\\Public\\caf\xC3\xA9 \xE2\x9C\x93 \xE7\xB5\x90\xE6\x9E\x9C\\velkora.exe",
         "C:\\Users\\Public\\caf\xC3\xA9 \xE2\x9C\x93 \xE7\xB5\x90\xE6\x9E\x9C\\velkora.vlk"},
        {"C:\\\xE3\x82\xBD.\xF0\x9F\x93\x8A", "C:\\\xE3\x82\xBD.vlk"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(records::DataFilePath(PathOf(c.executable)), PathOf(c.expected)) << c.executable;
}

TEST(MemoTest, LineBreaksAreStoredAsColonSemicolonInPlace) {
    struct Case {
        const char *memo, *encoded, *decoded;
    } cases[] = {
        {"a\r\nb\r\nc", "a:;b:;c", "a\r\nb\r\nc"},
        {"", "", ""},
        {"\r", "\r", "\r"},
        {"\r\n", ":;", "\r\n"},
        {"lone\rCR and lone\nLF", "lone\rCR and lone\nLF", "lone\rCR and lone\nLF"},
        {"\r\r\n\n", "\r:;\n", "\r\r\n\n"},
        // Typed by the user: a colon before a semicolon comes back as a line
        // break.
        {"time 10:;30", "time 10:;30", "time 10\r\n30"},
        {"::;;", "::;;", ":\r\n;"},
    };
    for (const Case& c : cases) {
        std::string memo = c.memo;
        records::EncodeMemo(memo);
        EXPECT_EQ(memo, c.encoded) << c.memo;
        records::DecodeMemo(memo);
        EXPECT_EQ(memo, c.decoded) << c.memo;
        EXPECT_EQ(memo.size(), std::string(c.memo).size());
    }
}

TEST(MemoTest, LongMemoIsCutTo199CharactersOnReadingEvenInsideALineBreak) {
    // 198 characters, then an encoded line break that the cut splits.
    std::string memo = std::string(198, 'm') + "\r\n" + std::string(100, 'n');
    std::string stored = memo;
    records::EncodeMemo(stored);
    IniFile file;
    file.SetString("SystemInfo-DATA001", "MEMO", stored);
    EXPECT_NE(file.Render().find(stored), std::string::npos);  // written whole
    std::string read = file.GetString("SystemInfo-DATA001", "MEMO", "");
    records::DecodeMemo(read);
    EXPECT_EQ(read, std::string(198, 'm') + ":");  // a lone ':'
}

TEST(OptionsTest, DefaultsApplyPerMissingKeyAndCountIsWrittenAsDecimal) {
    IniFile empty;
    records::DataFileOptions options = records::ReadOptions(empty);
    EXPECT_EQ(options.recordCount, 0);
    EXPECT_EQ(options.loop, 10000);
    EXPECT_EQ(options.graphMax, 3000);

    IniFile file;
    file.Parse("[velkoradatafile]\r\nVelkoraLoop = 20000\r\nVelkoraGraph=-5\r\n");
    options = records::ReadOptions(file);
    EXPECT_EQ(options.recordCount, 0);  // sections without the count show no records
    EXPECT_EQ(options.loop, 20000);
    EXPECT_EQ(options.graphMax, -5);
    records::WriteRecordCount(file, 12);
    records::WriteLoopAndGraph(file, "5000", "9999");
    EXPECT_EQ(file.Render(),
              "[velkoradatafile]\r\nVelkoraLoop = 5000\r\nVelkoraGraph=9999\r\n"
              "VelkoraDataNum=12\r\n");
}

TEST(SystemNamesTest, NamesAreListedAndCountedByTheirFirstBytes) {
    IniFile file;
    const char* names[] = {"P at 700MHz System", "Other", "P at 700MHz System(2)",
                           "P at 700MHz Syste", "p at 700mhz system"};
    for (int i = 0; i < 5; ++i)
        file.SetString(records::SystemSectionName(i + 1), "SystemName", names[i]);
    file.SetString(records::SystemSectionName(7), "SystemName", "P at 700MHz System");

    const std::vector<records::StoredName> listed = records::ReadSystemNames(file, 6);
    ASSERT_EQ(listed.size(), 5u) << "record 6 has no section; record 7 lies beyond N";
    EXPECT_EQ(listed[2].name, "P at 700MHz System(2)");
    EXPECT_EQ(listed[4].number, 5);
    // Case-sensitive; shorter names do not count; record 7 lies beyond N.
    EXPECT_EQ(records::CountSystemNames(file, 6, "P at 700MHz System"), 2);
    EXPECT_EQ(records::CountSystemNames(file, 7, "P at 700MHz System"), 3);
    EXPECT_EQ(records::CountSystemNames(file, 0, "P at 700MHz System"), 0);
}

TEST(TimingRecordTest, TimesRoundTripThroughTheTimingSection) {
    CMarkResult result;
    for (int i = 0; i < bench::kTestCount; ++i)
        result.m_fTime[i] = 0.125f * static_cast<float>(i);
    result.m_fTime[3] = 2.345f;
    IniFile file;
    records::SaveSection(file, 7, result);
    EXPECT_EQ(file.GetString("Velkora-DATA007", "Button Text", ""), "2.345000");
    EXPECT_EQ(file.GetString("Velkora-DATA007", "Enable / Disable Controls", ""), "2.375000");

    IniFile reread;
    reread.Parse(file.Render());
    CMarkResult loaded;
    records::LoadSection(reread, 7, loaded);
    for (int i = 0; i < bench::kTestCount; ++i)
        EXPECT_EQ(loaded.m_fTime[i], result.m_fTime[i]) << i;
}

TEST(TimingRecordTest, RecordThousandAndSixDecimalPrecision) {
    CMarkResult result;
    result.m_fTime[0] = 0.0002f;      // the shortest time a run can give
    result.m_fTime[1] = 0.00023456f;  // finer than six decimals
    result.m_fTime[2] = 12345.678f;
    IniFile file;
    records::SaveSection(file, 1000, result);
    EXPECT_TRUE(file.HasSection("Velkora-DATA1000"));
    CMarkResult loaded;
    records::LoadSection(file, 1000, loaded);
    EXPECT_EQ(loaded.m_fTime[0], 0.0002f);
    EXPECT_EQ(loaded.m_fTime[1], 0.000235f);
    EXPECT_NEAR(loaded.m_fTime[2], 12345.678f, 0.001f);
}

TEST(TimingRecordTest, MissingAndOddValuesReadLikeAtof) {
    IniFile file;
    file.Parse(
        "[Velkora-DATA002]\r\n"
        "Standard Text = 4.4\r\n"
        "EditBox Text = abc\r\n"
        "Button Text = \"1.5\"\r\n"
        "GroupBox Text = 1e999\r\n"
        "CheckBox Control = -3\r\n"
        "ScrollBar Control = 2.5s\r\n");
    CMarkResult loaded;
    for (float& t : loaded.m_fTime)
        t = 9.0f;
    records::LoadSection(file, 2, loaded);
    EXPECT_EQ(loaded.m_fTime[0], 4.4f);
    EXPECT_EQ(loaded.m_fTime[1], 0.0f);  // missing: "0.0"
    EXPECT_EQ(loaded.m_fTime[2], 0.0f);
    EXPECT_EQ(loaded.m_fTime[3], 1.5f);
    EXPECT_TRUE(std::isinf(loaded.m_fTime[4]));
    EXPECT_EQ(loaded.m_fTime[6], -3.0f);
    EXPECT_EQ(loaded.m_fTime[7], 2.5f);
    for (int i = 8; i < bench::kTestCount; ++i)
        EXPECT_EQ(loaded.m_fTime[i], 0.0f);

    records::LoadSection(file, 3, loaded);  // no such section
    for (float t : loaded.m_fTime)
        EXPECT_EQ(t, 0.0f);
}

TEST(TimingRecordTest, TextBlockCarriesSectionOneAndNoBlankLineAfter) {
    CMarkResult result;
    result.m_fTime[0] = 4.4f;
    result.m_fTime[19] = 0.5f;
    std::string text;
    records::AppendHeaderText(text);
    records::AppendSectionText(text, result);
    std::string expected =
        "[VelkoraDataFile]\r\n\tVelkoraDataNum = 1\r\n\r\n"
        "[Velkora-DATA001]\r\n"
        "\tStandard Text = 4.400000\r\n";
    for (int i = 1; i < 19; ++i) {
        std::string name;
        GetTestName(i, name);
        expected += "\t" + name + " = 0.000000\r\n";
    }
    expected += "\tEnable / Disable Controls = 0.500000\r\n";
    EXPECT_EQ(text, expected);

    // The text is itself a data file of record 1 and reads back.
    IniFile file;
    file.Parse(text);
    EXPECT_EQ(records::ReadOptions(file).recordCount, 1);
    CMarkResult loaded;
    records::LoadSection(file, 1, loaded);
    EXPECT_EQ(loaded.m_fTime[0], 4.4f);
    EXPECT_EQ(loaded.m_fTime[19], 0.5f);
}

}  // namespace
