// The comparison exports of one small comparison: two records, a counted
// faster and slower test, one within the noise, one timed once and one
// missing; the Markdown and CSV exactly, the HTML by its essential pieces.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "compare/comparison.h"
#include "compare/entry.h"
#include "compare/exports.h"
#include "framework/text_codec.h"
#include "records/record.h"

namespace {

struct Timed {
    int test;
    float time, fastest, slowest;
    int32_t rounds;
};

records::Record RecordOf(const char* name, const char* platform, const std::vector<Timed>& times) {
    records::Record r;
    r.system.SystemName = name;
    r.system.PlatformID = 2;
    r.system.PlatformInfo = platform;
    r.system.VideoCard = "RADEON 9600";
    std::snprintf(r.processor.ProcessorName, sizeof r.processor.ProcessorName, "Pentium III");
    r.processor.Frequency = 800.4;
    for (const Timed& t : times) {
        r.timing.m_fTime[t.test] = t.time;
        r.timing.m_nRounds[t.test] = t.rounds;
        r.timing.m_fFastest[t.test] = t.fastest;
        r.timing.m_fSlowest[t.test] = t.slowest;
    }
    return r;
}

// Alpha is the baseline. Beta is faster in test 0 and slower in test 3
// (three rounds or more, ranges apart), within the noise in test 2 (ranges
// overlap), timed once in test 1 and has no time in test 4.
compare::Comparison Sample(int baseline) {
    const fw::Utf8Codec utf8;
    std::vector<compare::Entry> entries;
    entries.push_back(
        compare::MakeEntry(RecordOf("Alpha", "Windows 7 (6.1.7601 Service Pack 1)  1024MB Mem",
                                    {{0, 2.0f, 1.875f, 2.125f, 3},
                                     {1, 4.0f, 0, 0, 1},
                                     {2, 5.0f, 4.75f, 5.25f, 3},
                                     {3, 2.0f, 1.875f, 2.125f, 3},
                                     {4, 1.0f, 0, 0, 1}}),
                           1, "a.vlk", 10000, utf8));
    entries.push_back(
        compare::MakeEntry(RecordOf("B|eta \"<&>\"", "Windows XP (5.1.2600)  512MB Mem",
                                    {{0, 1.5f, 1.4375f, 1.5625f, 3},
                                     {1, 3.0f, 0, 0, 1},
                                     {2, 4.75f, 4.5f, 5.0f, 3},
                                     {3, 3.0f, 2.75f, 3.25f, 5}}),
                           4, "b, old.vlk", 10000, utf8));
    return compare::Compare(std::move(entries), baseline);
}

const std::vector<int> kOrder = {3, 0, 1, 2, 4, 5};

const char kLegend[] =
    "- Ratio = baseline time ÷ this time: above ×1 is faster.\n"
    "- A difference counts only when both records have at least 3 rounds, their "
    "fastest–slowest ranges do not overlap and the ratio differs from 1 by at least 3 %.\n"
    "- ▲ faster, ▼ slower (counted differences), ≈ within the noise, n=1 = timed once, which "
    "cannot tell a difference from noise (run with more rounds: Options → rounds, or "
    "velkora-driver --rounds 5), — = no time, left out of every summary.\n"
    "- The summaries cover the 4 of 20 tests that every record has a time for.\n"
    "- Bold: the best mark of each test.\n";

TEST(CompareExportsTest, MarkdownIsOnePipeTableWithMachinesTestsAndSummaries) {
    const std::string expected =
        std::string(
            "# Velkora comparison\n"
            "\n"
            "Baseline: Alpha (a.vlk #1).\n"
            "\n"
            "**n=1: a record timed once cannot tell a difference from noise. Run with more "
            "rounds: Options → rounds, or velkora-driver --rounds 5.**\n"
            "\n"
            "| Test | Alpha (a.vlk #1) (baseline) | B\\|eta \"&lt;&amp;&gt;\" (b, old.vlk #4) |\n"
            "| --- | --- | --- |\n"
            "| Processor | Pentium III at 800MHz | Pentium III at 800MHz |\n"
            "| Clock | 800 MHz | 800 MHz |\n"
            "| Windows | Windows 7 (6.1.7601 Service Pack 1) | Windows XP (5.1.2600) |\n"
            "| Memory | 1024 MB | 512 MB |\n"
            "| Video card | RADEON 9600 | RADEON 9600 |\n"
            "| Loop count | 10000 | 10000 |\n"
            "| Rounds | 1–3 | 1–5 |\n"
            "| Button Text | **2549 ×1.00** | 1699 ×0.67 ▼ |\n"
            "| Standard Text | 2349 ×1.00 | **3133 ×1.33 ▲** |\n"
            "| Standard Text(2) | 1850 ×1.00 n=1 | **2466 ×1.33 n=1** |\n"
            "| EditBox Text | 1480 ×1.00 | **1557 ×1.05 ≈** |\n"
            "| GroupBox Text | **14000 ×1.00 n=1** | — |\n"
            "| RadioButton Control | — | — |\n"
            "| Total time (s) | 13.000 | 12.250 |\n"
            "| Geometric mean of marks (4 of 20 tests) | 2012 | 2127 |\n"
            "| Ratio of geometric means | ×1.00 | ×1.06 |\n"
            "| Wins / ties / losses | — | 1 / 1 / 1 (1 n=1) |\n"
            "\n") +
        kLegend;
    EXPECT_EQ(compare::ToMarkdown(Sample(0), kOrder), expected);

    // Against the reference: no column is the baseline and each has its wins.
    const std::string reference = compare::ToMarkdown(Sample(compare::kReferenceBaseline), kOrder);
    EXPECT_NE(reference.find("Baseline: the reference machine. Each record is compared with the "
                             "reference times of its own platform, so its ratio is its mark ÷ "
                             "1000.\n"),
              std::string::npos);
    EXPECT_NE(reference.find("| Test | Alpha (a.vlk #1) | B\\|eta"), std::string::npos);
    EXPECT_NE(reference.find("| Wins / ties / losses | 3 / 0 / 0 (1 n=1) | 3 / 0 / 0 (1 n=1) |"),
              std::string::npos);
    EXPECT_NE(reference.find(" The reference times are exact: a record's range must not hold"),
              std::string::npos);

    // Marks that read the same as the best are bold too: 14000.28 and 14000.70.
    std::vector<compare::Entry> twins = {Sample(0).entries[0], Sample(0).entries[0]};
    twins[0].record.timing.m_fTime[4] = 0.99998f;
    twins[1].record.timing.m_fTime[4] = 0.99995f;
    EXPECT_NE(compare::ToMarkdown(compare::Compare(twins, 0), kOrder)
                  .find("| GroupBox Text | **14000 ×1.00 n=1** | **14000 ×1.00 n=1** |"),
              std::string::npos);
}

// CSV lines, each ended CR LF, with @A and @B standing for the fields that
// name Alpha's and Beta's record.
std::string CsvLines(const std::vector<std::string>& lines) {
    const std::string alpha = "Alpha (a.vlk #1),a.vlk,1,yes,10000";
    const std::string beta = "\"B|eta \"\"<&>\"\" (b, old.vlk #4)\",\"b, old.vlk\",4,no,10000";
    std::string text;
    for (std::string line : lines) {
        for (size_t at; (at = line.find('@')) != std::string::npos;)
            line.replace(at, 2, line[at + 1] == 'A' ? alpha : beta);
        text += line + "\r\n";
    }
    return text;
}

TEST(CompareExportsTest, CsvHasEveryFigureUnroundedOneRowPerTestAndRecord) {
    std::string expected = CsvLines({
        "test_index,test,record,origin,number,baseline,loop,rounds,time,fastest,slowest,mark,"
        "ratio,ratio_low,ratio_high,verdict",
        "0,Standard Text,@A,3,2,1.875,2.125,2349.9999046325684,1,0.9411764705882353,"
        "1.0666666666666667,baseline",
        "0,Standard Text,@B,3,1.5,1.4375,1.5625,3133.333206176758,1.3333333333333333,1.28,"
        "1.391304347826087,faster",
        "1,Standard Text(2),@A,1,4,4,4,1850.000023841858,1,1,1,baseline",
        "1,Standard Text(2),@B,1,3,3,3,2466.6666984558105,1.3333333333333333,"
        "1.3333333333333333,1.3333333333333333,single-round",
        "2,EditBox Text,@A,3,5,4.75,5.25,1480.0000190734863,1,0.9523809523809523,"
        "1.0526315789473684,baseline",
        "2,EditBox Text,@B,3,4.75,4.5,5,1557.8947569194593,1.0526315789473684,1,"
        "1.1111111111111112,same",
        "3,Button Text,@A,3,2,1.875,2.125,2549.999952316284,1,0.9411764705882353,"
        "1.0666666666666667,baseline",
        "3,Button Text,@B,5,3,2.75,3.25,1699.9999682108562,0.6666666666666666,"
        "0.6153846153846154,0.7272727272727273,slower",
        "4,GroupBox Text,@A,1,1,1,1,14000,1,1,1,baseline",
        "4,GroupBox Text,@B,,,,,,,,,missing",
    });
    for (int test = 5; test < bench::kTestCount; ++test) {
        std::string name;
        GetTestName(test, name);
        const std::string row = std::to_string(test) + "," + name;
        expected += CsvLines({row + ",@A,,,,,,,,,missing", row + ",@B,,,,,,,,,missing"});
    }
    expected += CsvLines({
        ",Common tests: 4 of 20,@A,1–3,13,,,2012.613437479643,1,,,",
        ",Common tests: 4 of 20,@B,1–5,12.25,,,2127.041778410851,1.0568555981989787,,,",
        ",Baseline: Alpha (a.vlk #1).,,,,,,,,,,,,,,",
        ",\"n=1: a record timed once cannot tell a difference from noise. Run with more rounds: "
        "Options → rounds, or velkora-driver --rounds 5.\",,,,,,,,,,,,,,",
        ",Ratio = baseline time ÷ this time: above ×1 is faster.,,,,,,,,,,,,,,",
        ",\"A difference counts only when both records have at least 3 rounds, their "
        "fastest–slowest ranges do not overlap and the ratio differs from 1 by at least 3 %."
        "\",,,,,,,,,,,,,,",
        ",\"▲ faster, ▼ slower (counted differences), ≈ within the noise, n=1 = timed once, "
        "which cannot tell a difference from noise (run with more rounds: Options → rounds, or "
        "velkora-driver --rounds 5), — = no time, left out of every summary.\",,,,,,,,,,,,,,",
        ",The summaries cover the 4 of 20 tests that every record has a time for.,,,,,,,,,,,,,,",
    });
    EXPECT_EQ(compare::ToCsv(Sample(0)), expected);
}

TEST(CompareExportsTest, HtmlIsOneSelfContainedPageWithTheTableAndTheChart) {
    const std::string html = compare::ToHtml(Sample(0), kOrder);
    auto has = [&](const std::string& piece) { return html.find(piece) != std::string::npos; };
    EXPECT_EQ(html.rfind("<!DOCTYPE html>\n", 0), 0u);
    EXPECT_TRUE(has("<meta charset=\"utf-8\">"));
    for (const char* outside : {"<script", "src=", "href=", "url(", "@import", "<link"})
        EXPECT_FALSE(has(outside)) << outside;

    // Every text escaped; the raw name appears nowhere.
    EXPECT_TRUE(has("<th>B|eta &quot;&lt;&amp;&gt;&quot; (b, old.vlk #4)</th>"));
    EXPECT_FALSE(has("\"<&>\""));
    // The tinted machine cell and the coloured test cells.
    EXPECT_TRUE(has("td.differs { background: #FFF2CC; }"));
    EXPECT_TRUE(has("<td class=\"differs\">Windows XP (5.1.2600)</td>"));
    EXPECT_TRUE(has("<td>Pentium III at 800MHz</td><td>Pentium III at 800MHz</td>"));
    EXPECT_TRUE(has("td.faster { color: #0072B2; }"));
    EXPECT_TRUE(has("td.slower { color: #D55E00; }"));
    EXPECT_TRUE(has("td.other { color: #808080; }"));
    EXPECT_TRUE(has("<td class=\"faster best\">3133 ×1.33 ▲</td>"));
    EXPECT_TRUE(has("<td class=\"slower\">1699 ×0.67 ▼</td>"));
    EXPECT_TRUE(has("<td class=\"other best\">2466 ×1.33 n=1</td>"));
    EXPECT_TRUE(has("<p class=\"warning\">n=1: a record timed once"));
    EXPECT_TRUE(has("<th>Wins / ties / losses</th><td>—</td><td>1 / 1 / 1 (1 n=1)</td>"));

    // The chart: the centre line at ×1 in the middle of the plot (x 200 to
    // 928), a hollow bar for the test within the noise, a whisker, the key.
    const size_t svg = html.find("<svg ");
    ASSERT_NE(svg, std::string::npos);
    const std::string chart = html.substr(svg, html.find("</svg>") - svg);
    EXPECT_NE(chart.find("<line class=\"centre\" x1=\"564.0\""), std::string::npos);
    EXPECT_NE(chart.find(">×1</text>"), std::string::npos);
    EXPECT_NE(chart.find("fill=\"none\" stroke=\"#E69F00\" stroke-width=\"1.5\"><title>B|eta "
                         "&quot;&lt;&amp;&gt;&quot; (b, old.vlk #4) · EditBox Text: 1557 ×1.05 ≈"),
              std::string::npos);
    EXPECT_NE(chart.find("fill=\"#E69F00\"><title>B|eta &quot;&lt;&amp;&gt;&quot; (b, old.vlk "
                         "#4) · Standard Text: 3133 ×1.33 ▲"),
              std::string::npos);
    EXPECT_NE(chart.find(">Button Text</text>"), std::string::npos);
    EXPECT_NE(chart.find(">B|eta &quot;&lt;&amp;&gt;&quot; (b, old.vlk #4)</text>"),
              std::string::npos);
    EXPECT_NE(chart.find("stroke=\"#333333\" stroke-width=\"1.0\"/>"), std::string::npos);
}

TEST(CompareExportsTest, AComparisonWithoutRecordsStillExports) {
    const compare::Comparison none = compare::Compare({}, compare::kReferenceBaseline);
    const std::vector<int> order = compare::SortedTests(none, -1);
    EXPECT_NE(compare::ToMarkdown(none, order).find("| Test |\n| --- |\n| Processor |\n"),
              std::string::npos);
    EXPECT_EQ(compare::ToCsv(none).rfind("test_index,", 0), 0u);
    const std::string html = compare::ToHtml(none, order);
    EXPECT_EQ(html.find("<svg"), std::string::npos);
    EXPECT_NE(html.find("</html>"), std::string::npos);
}

}  // namespace
