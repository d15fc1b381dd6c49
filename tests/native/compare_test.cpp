// Comparing records side by side: ratios and marks against a record and the
// reference, the noise rule at its edges, the summaries over the common
// tests, the sort order, entries read from a data file and the chart.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <ostream>
#include <string>
#include <vector>

#include "bench/catalogue.h"
#include "compare/chart_layout.h"
#include "compare/comparison.h"
#include "compare/entry.h"
#include "framework/text_codec.h"
#include "records/ini_store.h"
#include "records/record.h"

namespace compare {
// Verdicts by name in failure messages.
void PrintTo(Verdict verdict, std::ostream* os) {
    static const char* const kNames[] = {"missing", "no baseline", "baseline", "n=1",
                                         "same",    "faster",      "slower"};
    *os << kNames[static_cast<int>(verdict)];
}
}  // namespace compare

namespace {

using namespace compare;
using bench::kCatalogue;
using bench::kTestCount;

const std::string kTimes = "\xC3\x97", kEmDash = "\xE2\x80\x94", kEnDash = "\xE2\x80\x93";

// One test's timing in a record: median, fastest and slowest round, rounds.
struct Row {
    float time = 0, fastest = 0, slowest = 0;
    int32_t rounds = 1;
};

void SetTest(records::Record& r, int test, const Row& row) {
    r.timing.m_fTime[test] = row.time;
    r.timing.m_fFastest[test] = row.fastest;
    r.timing.m_fSlowest[test] = row.slowest;
    r.timing.m_nRounds[test] = row.rounds;
}

// Every test at the same time; with rounds, within 2 % either side.
Entry Timed(int32_t platform, float seconds, int32_t rounds = 1) {
    Entry e;
    e.record.system.PlatformID = platform;
    for (int t = 0; t < kTestCount; ++t)
        SetTest(e.record, t, {seconds, seconds * 0.98f, seconds * 1.02f, rounds});
    return e;
}

TEST(CompareTest, RatiosAndMarksAgainstARecordAndAgainstEachPlatformsReference) {
    // A 95-family machine at 2 s a test and an NT machine at 1 s.
    const Entry a = Timed(1, 2.0f), b = Timed(2, 1.0f);
    const Comparison vsRef = Compare({a, b}, kReferenceBaseline);
    const Comparison vsA = Compare({a, b}, 0);
    for (int t : {0, 7, 19}) {
        const double refA = kCatalogue[t].referenceA, refB = kCatalogue[t].referenceB;
        EXPECT_DOUBLE_EQ(vsRef.cells[t][0].mark, refA * 1000 / 2) << t;
        EXPECT_DOUBLE_EQ(vsRef.cells[t][0].ratio, refA / 2) << t;
        EXPECT_DOUBLE_EQ(vsRef.cells[t][1].mark, refB * 1000) << t;
        EXPECT_DOUBLE_EQ(vsRef.cells[t][1].ratio, refB) << t;
        EXPECT_DOUBLE_EQ(vsA.cells[t][1].ratio, 2.0) << t;
        EXPECT_DOUBLE_EQ(vsA.cells[t][1].mark, refB * 1000) << "its own reference, test " << t;
        EXPECT_EQ(vsA.cells[t][0].verdict, Verdict::kBaseline);
    }
    EXPECT_EQ(CellText(vsRef.cells[7][0]), "5250 " + kTimes + "5.25 n=1");
    EXPECT_EQ(CellText(vsA.cells[7][0]), "5250 " + kTimes + "1.00 n=1");
    EXPECT_EQ(CellText(vsA.cells[7][1]), "3400 " + kTimes + "2.00 n=1");
}

TEST(CompareTest, SummariesCoverOnlyTheTestsEveryRecordHas) {
    // b is twice as fast in tests 0-9 and half as fast in 10-19; c was timed
    // once and misses test 19.
    Entry a = Timed(2, 2.0f, 3), b = Timed(2, 1.0f, 3), c = Timed(2, 2.0f);
    for (int t = 10; t < kTestCount; ++t)
        SetTest(b.record, t, {4.0f, 3.9f, 4.1f, 3});
    SetTest(c.record, 19, {0.0f});
    const Comparison vsA = Compare({a, b, c}, 0);
    EXPECT_EQ(CellText(vsA.cells[19][2]), kEmDash);
    EXPECT_EQ(vsA.cells[19][2].verdict, Verdict::kMissing);
    EXPECT_FALSE(vsA.common[19]);
    EXPECT_EQ(vsA.commonCount, 19);

    struct Expected {
        double total, geometricRatio;
        int wins, ties, losses, undecided;
    } expected[] = {
        {38, 1, 0, 0, 0, 0}, {46, std::pow(2.0, 1.0 / 19), 10, 0, 9, 0}, {38, 1, 0, 0, 0, 19}};
    for (int col = 0; col < 3; ++col) {
        const ColumnSummary& s = vsA.summaries[col];
        EXPECT_NEAR(s.totalTime, expected[col].total, 1e-5) << col;
        EXPECT_NEAR(s.geometricRatio, expected[col].geometricRatio, 1e-6) << col;
        EXPECT_EQ(s.wins, expected[col].wins) << col;
        EXPECT_EQ(s.ties, expected[col].ties) << col;
        EXPECT_EQ(s.losses, expected[col].losses) << col;
        EXPECT_EQ(s.undecided, expected[col].undecided) << col;
        // Same platform: marks stand to each other as the ratios do.
        EXPECT_NEAR(s.geometricMark / vsA.summaries[0].geometricMark, s.geometricRatio, 1e-6);
    }

    const Comparison vsRef = Compare({a, b, c}, kReferenceBaseline);
    EXPECT_EQ(vsRef.commonCount, 19);
    for (const ColumnSummary& s : vsRef.summaries) {
        EXPECT_NEAR(s.geometricMark, 1000 * s.geometricRatio, 1e-6);
        EXPECT_EQ(s.wins + s.ties + s.losses + s.undecided, 19);
    }
    EXPECT_EQ(vsRef.summaries[2].ties, 0) << "timed once: never counted, not even as a tie";
    EXPECT_EQ(vsRef.summaries[2].undecided, 19);

    // Against c, test 19 has a mark but no ratio, and no bar.
    const Comparison vsC = Compare({a, b, c}, 2);
    EXPECT_EQ(vsC.cells[19][0].verdict, Verdict::kNoBaseline);
    EXPECT_EQ(CellText(vsC.cells[19][0]), MarkText(vsC.cells[19][0].mark));
    EXPECT_EQ(vsC.commonCount, 19);
}

TEST(CompareNoiseTest, DifferencesCountOnlyBeyondTheNoise) {
    // The baseline's timing of test 0, the record's and the verdict. The
    // reference (4.4 s for test 0 on the 95 family) is exact: the record's
    // range must not hold it.
    const Row steady{1.0f, 0.98f, 1.02f, 3}, below{1.0f, 0.99f, 1.0f, 3};
    const Row reference{4.4f, 4.4f, 4.4f, kExactRounds};
    const struct {
        Row base, x;
        Verdict verdict;
    } rows[] = {
        {steady, {1.1f, 1.02f, 1.15f, 3}, Verdict::kSame},  // ranges touch
        {steady, {1.1f, 1.03f, 1.15f, 3}, Verdict::kSlower},
        {{1.029f, 1.01f, 1.04f, 3}, below, Verdict::kSame},  // 2.9 %
        {{1.031f, 1.01f, 1.04f, 3}, below, Verdict::kFaster},
        // Times read from "1.030000" and "1.000000": a ratio of 1.03.
        {{1.03f, 1.01f, 1.04f, 3}, below, Verdict::kFaster},
        {below, {1.031f, 1.01f, 1.04f, 3}, Verdict::kSlower},  // ratio 0.9699
        {steady, {0.5f, 0.49f, 0.51f, 2}, Verdict::kSame},
        {steady, {0.5f, 0.49f, 0.51f, 3}, Verdict::kFaster},
        {{1.0f, 0.98f, 1.02f, 2}, {0.5f, 0.49f, 0.51f, 3}, Verdict::kSame},
        {steady, {0.5f, 0.5f, 0.5f, 1}, Verdict::kSingleRound},
        {{1.0f, 1.0f, 1.0f, 1}, {0.5f, 0.49f, 0.51f, 3}, Verdict::kSingleRound},  // baseline once
        {reference, {4.0f, 3.9f, 4.4f, 3}, Verdict::kSame},  // slowest = reference
        {reference, {4.0f, 3.9f, 4.3f, 3}, Verdict::kFaster},
        {reference, {4.8f, 4.4f, 5.0f, 3}, Verdict::kSame},
        {reference, {4.8f, 4.5f, 5.0f, 3}, Verdict::kSlower},
        {reference, {4.0f, 4.0f, 4.0f, 1}, Verdict::kSingleRound},
        // An edited range that leaves out its median, or is upside down,
        // is widened to hold it: these overlap the baseline.
        {{1.0f, 0.9f, 1.1f, 3}, {0.95f, 0.8f, 0.85f, 3}, Verdict::kSame},
        {{1.0f, 0.9f, 1.1f, 3}, {0.95f, 0.85f, 0.8f, 3}, Verdict::kSame},
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        const Row& base = rows[i].base;
        const bool vsRef = base.rounds == kExactRounds;
        Entry a = Timed(1, 1.0f), b = Timed(1, 1.0f);
        SetTest(a.record, 0, base);
        SetTest(b.record, 0, rows[i].x);
        const Cell cell = Compare({a, b}, vsRef ? kReferenceBaseline : 0).cells[0][1];
        const Timing baseTiming{base.time, base.fastest, base.slowest, base.rounds};
        const Verdict v = rows[i].verdict;
        const bool counted = v == Verdict::kFaster || v == Verdict::kSlower;
        EXPECT_EQ(DifferenceCounts(baseTiming, cell.timing), counted) << "row " << i;
        EXPECT_EQ(cell.verdict, v) << "row " << i;
        const std::string text = CellText(cell);
        EXPECT_EQ(text.substr(text.rfind(' ') + 1), Marker(v)) << "row " << i << ": " << text;
    }
}

TEST(CompareTest, SortedTestsByRatioWithMissingLastAndCatalogueOrder) {
    Entry a = Timed(2, 1.0f), b = Timed(2, 1.0f);
    SetTest(b.record, 0, {0.0f});   // missing
    SetTest(b.record, 3, {0.25f});  // x4
    SetTest(b.record, 5, {2.0f});   // /2
    SetTest(b.record, 10, {0.5f});  // x2
    const Comparison c = Compare({a, b}, 0);
    const std::vector<int> byRatio = {3,  10, 1,  2,  4,  6,  7,  8,  9, 11,
                                      12, 13, 14, 15, 16, 17, 18, 19, 5, 0};
    EXPECT_EQ(SortedTests(c, 1), byRatio) << "ties in catalogue order, the missing test last";
    std::vector<int> catalogue(kTestCount);
    std::iota(catalogue.begin(), catalogue.end(), 0);
    EXPECT_EQ(SortedTests(c, -1), catalogue);
}

// Record n's three sections as the program writes them: the timing section
// has its twenty times and, for a run of several rounds, their rounds keys.
std::string RecordText(int n, const char* name, const char* platform, int id, const char* cpu,
                       const char* time, bool rounds) {
    const std::string number = "-DATA00" + std::to_string(n) + "]\r\n";
    std::string text = "[SystemInfo" + number + "SystemName=" + name +
                       "\r\nUserName=tester\r\nPCName=PC\r\nPlatformInfo=" + platform +
                       "\r\nVideoCard=GeForce2 MX\r\nDate=2003.05/12.10:00\r\nMEMO=\r\n"
                       "Setting=1\r\nPlatformID=" +
                       std::to_string(id) + "\r\n[InfoCPU" + number + "ProcessorName=" + cpu +
                       "\r\nCodeName=\r\nVendorName=GenuineIntel\r\nSignature=1670\r\n"
                       "Frequency=733.012600\r\nL2CashSize=256\r\nMultiProcessor=1\r\n"
                       "[Velkora" +
                       number;
    for (const bench::TestInfo& test : kCatalogue)
        text += std::string(test.name) + "=" + time + "\r\n";
    for (const bench::TestInfo& test : kCatalogue)
        if (rounds)
            text += std::string(test.name) + " Rounds=5\r\n" + test.name + " Fastest=0.950000\r\n" +
                    test.name + " Slowest=1.100000\r\n";
    return text;
}

TEST(CompareEntryTest, ReadsTheStoredRecordsOfADataFile) {
    const std::string text =
        "[VelkoraDataFile]\r\nVelkoraDataNum=3\r\nVelkoraLoop=10000\r\nVelkoraGraph=3000\r\n" +
        RecordText(0, "This PC", "Windows XP (5.1.2600)  1024MB Mem", 2,
                   "Intel-Pentium 4 Processor", "0.500000", false) +
        RecordText(1, "B\xC3\xBCro PC", "Windows XP (5.1.2600)  512MB Mem", 2,
                   "Intel-Pentium III Processor", "2.000000", false) +
        RecordText(3, "Home PC", "Windows98(4.10.1998)  128MB Mem", 1,
                   "Intel-Pentium III Processor", "1.000000", true);
    fw::Utf8Codec codec;
    records::IniFile file(codec);
    ASSERT_TRUE(file.Parse(text));
    // Record 2 is missing inside the file: it is no machine to offer.
    const std::vector<Entry> entries = ReadStoredEntries(file, "other.vlk", codec);
    ASSERT_EQ(entries.size(), 2u);

    // Each PlatformInfo line splits into its Windows part and the memory.
    const char* machine[2][kMachineFieldCount] = {
        {"Intel-Pentium III Processor at 733MHz", "733 MHz", "Windows XP (5.1.2600)", "512 MB",
         "GeForce2 MX", "10000", "1"},
        {"Intel-Pentium III Processor at 733MHz", "733 MHz", "Windows98(4.10.1998)", "128 MB",
         "GeForce2 MX", "10000", "5"},
    };
    for (int e = 0; e < 2; ++e) {
        EXPECT_EQ(entries[e].number, e == 0 ? 1 : 3);
        EXPECT_EQ(entries[e].loop, 10000);
        for (int f = 0; f < kMachineFieldCount; ++f)
            EXPECT_EQ(MachineText(entries[e], static_cast<MachineField>(f)), machine[e][f])
                << "entry " << e << ", field " << f;
    }
    EXPECT_EQ(entries[0].name, "B\xC3\xBCro PC");

    EXPECT_EQ(TimingOf(entries[0].record.timing, 4).rounds, 1);
    const Timing five = TimingOf(entries[1].record.timing, 4);
    EXPECT_EQ(five.rounds, 5);
    EXPECT_DOUBLE_EQ(five.fastest, 0.95f);
    EXPECT_DOUBLE_EQ(five.slowest, 1.1f);

    CMarkResult mixed = entries[1].record.timing;
    mixed.m_nRounds[3] = 1;
    EXPECT_EQ(RoundsText(mixed), "1" + kEnDash + "5");

    const Comparison vs0 = Compare(entries, 0);
    EXPECT_TRUE(DiffersFromBaseline(vs0, 1, MachineField::kWindows));
    EXPECT_TRUE(DiffersFromBaseline(vs0, 1, MachineField::kRounds));
    EXPECT_FALSE(DiffersFromBaseline(vs0, 1, MachineField::kLoop));
    EXPECT_FALSE(DiffersFromBaseline(vs0, 0, MachineField::kWindows));
    const Comparison vsRef = Compare(entries, kReferenceBaseline);
    EXPECT_FALSE(DiffersFromBaseline(vsRef, 1, MachineField::kWindows));
}

TEST(CompareChartTest, BarsAreLog2OfTheRatioAboutTheCentreLine) {
    // b: x2 in test 0 and /2 in test 1, both counted; c timed once, test 2 missing.
    Entry a = Timed(2, 1.0f, 3), b = Timed(2, 1.0f, 3), c = Timed(2, 1.0f);
    SetTest(b.record, 0, {0.5f, 0.49f, 0.51f, 3});
    SetTest(b.record, 1, {2.0f, 1.96f, 2.04f, 3});
    SetTest(c.record, 0, {0.5f});
    SetTest(c.record, 2, {0.0f});
    const Comparison cmp = Compare({a, b, c}, 0);
    const ChartLayout layout = LayOutChart(cmp, SortedTests(cmp, -1), 640, 480, 120, 24);
    EXPECT_DOUBLE_EQ(layout.centreX, (layout.plot.left + layout.plot.right) / 2);
    ASSERT_EQ(layout.ticks.size(), 2u * layout.halfSpan + 1);
    EXPECT_EQ(layout.ticks[layout.halfSpan].label, kTimes + "1");
    EXPECT_DOUBLE_EQ(layout.ticks[layout.halfSpan].x, layout.centreX);
    EXPECT_EQ(layout.bars.size(), 3u * kTestCount - 1) << "no bar for the missing cell";

    auto barOf = [&](int test, int column) {
        for (const ChartBar& bar : layout.bars)
            if (bar.test == test && bar.column == column)
                return bar;
        ADD_FAILURE() << "no bar for test " << test << ", column " << column;
        return ChartBar{};
    };
    const ChartBar twice = barOf(0, 1), half = barOf(1, 1);
    EXPECT_DOUBLE_EQ(twice.bar.left, layout.centreX);
    EXPECT_DOUBLE_EQ(half.bar.right, layout.centreX);
    EXPECT_GT(twice.bar.right - twice.bar.left, 0);
    EXPECT_DOUBLE_EQ(twice.bar.right - twice.bar.left, half.bar.right - half.bar.left);
    EXPECT_FALSE(twice.hollow);
    EXPECT_TRUE(twice.whisker);
    EXPECT_LT(twice.whiskerLeft, twice.bar.right);
    EXPECT_GT(twice.whiskerRight, twice.bar.right);
    EXPECT_TRUE(barOf(3, 1).hollow) << "within the noise";
    EXPECT_TRUE(barOf(0, 2).hollow) << "timed once";
    EXPECT_FALSE(barOf(0, 2).whisker);
}

}  // namespace
