// Rounds: the median, range and spread of a test's rounds, and the keys that
// keep them in a record through saving, loading, the clipboard text and an
// import; a record from before rounds reads as one round.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench/mark_result.h"
#include "bench/rounds.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record.h"
#include "records/record_commands.h"
#include "records/record_sections.h"
#include "records/record_store.h"

namespace {

TEST(RoundsTest, MedianRangeAndSpreadOfTheRoundsCompleted) {
    struct Case {
        std::vector<float> times;
        int32_t rounds;
        float median, fastest, slowest;
        const char* spread;
    } cases[] = {
        {{}, 0, 0, 0, 0, ""},               // none completed
        {{1.5f}, 1, 1.5f, 1.5f, 1.5f, ""},  // one round: no spread
        {{2.0f, 1.0f, 4.0f}, 3, 2.0f, 1.0f, 4.0f, "150.0 % !"},
        {{1.02f, 1.0f}, 2, 1.01f, 1.0f, 1.02f, "2.0 %"},  // even: mean of the middle two
        {{3.0f, 1.0f, 2.0f, 10.0f}, 4, 2.5f, 1.0f, 10.0f, "360.0 % !"},
        {{0.0f, 0.0f, 0.0f}, 3, 0, 0, 0, "0.0 %"},             // no median, no spread
        {{1.0f, 1.05f, 1.0f}, 3, 1.0f, 1.0f, 1.05f, "5.0 %"},  // the edge is not marked
    };
    for (const Case& c : cases) {
        const bench::RoundSummary s = bench::SummariseRounds(c.times);
        EXPECT_EQ(s.rounds, c.rounds);
        EXPECT_FLOAT_EQ(s.median, c.median);
        EXPECT_EQ(s.fastest, c.fastest);
        EXPECT_EQ(s.slowest, c.slowest);
        EXPECT_EQ(bench::FormatSpread(s.rounds, s.fastest, s.slowest, s.median), c.spread)
            << c.times.size() << " rounds";
    }
    EXPECT_EQ(bench::RoundsFromText("0"), 1);
    EXPECT_EQ(bench::RoundsFromText("5 rounds"), 5);
    EXPECT_EQ(bench::RoundsFromText("12"), 9);
    EXPECT_EQ(bench::RoundsFromText("x"), 1);
}

TEST(RoundsTest, MedianMinimumAndMaximumOfUnsortedValues) {
    struct Case {
        std::vector<double> values;
        double median, min, max;
    } cases[] = {{{}, 0, 0, 0},
                 {{3}, 3, 3, 3},
                 {{5, 1, 3}, 3, 1, 5},
                 {{4, 1, 3, 2}, 2.5, 1, 4},
                 {{7, 7, 1, 7}, 7, 1, 7}};
    for (const Case& c : cases) {
        const bench::Spread s = bench::SpreadOf(c.values);
        EXPECT_DOUBLE_EQ(s.median, c.median) << c.values.size() << " values";
        EXPECT_DOUBLE_EQ(s.min, c.min);
        EXPECT_DOUBLE_EQ(s.max, c.max);
    }
}

// Record 1 with test 0 timed in three rounds and test 5 in one.
records::Record RecordWithRounds() {
    records::Record record;
    record.system.SystemName = "Rounds";
    record.timing.m_fTime[0] = 2.5f;
    record.timing.m_nRounds[0] = 3;
    record.timing.m_fFastest[0] = 2.25f;
    record.timing.m_fSlowest[0] = 3.0f;
    const float order[3] = {2.25f, 3.0f, 2.5f};  // as they ran
    std::copy(order, order + 3, record.timing.m_fRoundTime[0]);
    record.timing.m_fTime[5] = 1.0f;
    return record;
}

TEST(RoundsTest, TheRangeTravelsThroughSaveLoadTextCopyAndImport) {
    records::IniFile file;
    RecordWithRounds().Save(file, 1);
    const std::string section = records::TimingSectionName(1);
    EXPECT_EQ(file.GetString(section, "Standard Text Rounds", ""), "3");
    EXPECT_EQ(file.GetString(section, "Standard Text Fastest", ""), "2.250000");
    EXPECT_EQ(file.GetString(section, "Standard Text Slowest", ""), "3.000000");
    EXPECT_EQ(file.GetString(section, "Standard Text Round Times", ""),
              "2.250000 3.000000 2.500000");
    EXPECT_EQ(file.GetString(section, "CheckBox Control Rounds", "<absent>"), "<absent>")
        << "a single round writes no keys";
    const std::string rendered = file.Render();
    EXPECT_LT(rendered.find("Enable / Disable Controls"), rendered.find("Standard Text Rounds"))
        << "the new keys come after the times";

    // The clipboard text, pasted into a file and dropped, imports the range.
    const records::Record saved = RecordWithRounds();
    records::IniFile pasted;
    ASSERT_TRUE(
        pasted.Parse(records::RecordClipboardText(saved.system, saved.processor, saved.timing)));
    records::IniFile target;
    int32_t count = 0;
    ASSERT_EQ(records::ImportRecords(pasted, target, count).size(), 1u);
    for (const records::IniFile* holder : {&file, &target}) {
        records::Record loaded;
        loaded.Load(*holder, 1);
        EXPECT_EQ(loaded.timing.m_fTime[0], 2.5f);
        EXPECT_EQ(loaded.timing.m_nRounds[0], 3);
        EXPECT_EQ(loaded.timing.m_fFastest[0], 2.25f);
        EXPECT_EQ(loaded.timing.m_fSlowest[0], 3.0f);
        EXPECT_EQ(loaded.timing.m_fRoundTime[0][1], 3.0f) << "every round, in order";
        EXPECT_EQ(loaded.timing.m_fRoundTime[0][2], 2.5f);
        EXPECT_EQ(loaded.timing.m_fRoundTime[0][3], 0.0f);
        EXPECT_EQ(loaded.timing.m_nRounds[5], 1);
        EXPECT_FALSE(loaded.timing.HasRange(5));
    }
}

TEST(RoundsTest, OldRecordsReadAsOneRoundAndAOneRoundRunResetsEarlierKeys) {
    records::IniFile file;
    ASSERT_TRUE(file.Parse(
        "[Velkora-DATA000]\r\nStandard Text = 1.500000\r\n"
        "Tab Control Rounds = 0\r\nTab Control Fastest = 9\r\n"  // a count below 2 is no range
        "ListView Rounds = 99\r\nListView Fastest = 1\r\nListView Slowest = 2\r\n"
        "ListView Round Times = 1 2\r\n"));
    CMarkResult old;
    records::LoadSection(file, 0, old);
    EXPECT_EQ(old.m_fTime[0], 1.5f);
    EXPECT_EQ(old.m_nRounds[0], 1);
    EXPECT_EQ(old.m_nRounds[12], 1);
    EXPECT_EQ(old.m_fFastest[12], 0.0f);
    EXPECT_EQ(old.m_nRounds[16], bench::kMaxRounds) << "a count beyond the options is cut";
    EXPECT_EQ(old.m_fRoundTime[16][1], 2.0f);
    EXPECT_EQ(old.m_fRoundTime[16][2], 0.0f) << "a short list reads the rest as 0";

    // Record 0 rewritten after a run of one round: its old range goes.
    CMarkResult single;
    single.m_fTime[16] = 4.0f;
    records::SaveSection(file, 0, single);
    CMarkResult reread;
    records::LoadSection(file, 0, reread);
    EXPECT_FALSE(reread.HasRange(16));
    EXPECT_EQ(file.GetString(records::TimingSectionName(0), "ListView Slowest", ""), "4.000000");
    EXPECT_EQ(file.GetString(records::TimingSectionName(0), "ListView Round Times", "<absent>"),
              "");
}

}  // namespace
