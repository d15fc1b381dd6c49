#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "bench/catalogue.h"
#include "bench/mark_result.h"
#include "bench/timing.h"

namespace {

TEST(CatalogueTest, NamesAreTheDataFileKeysInOrder) {
    const char* expected[bench::kTestCount] = {"Standard Text",
                                               "Standard Text(2)",
                                               "EditBox Text",
                                               "Button Text",
                                               "GroupBox Text",
                                               "RadioButton Control",
                                               "CheckBox Control",
                                               "ScrollBar Control",
                                               "ProgressBar Control",
                                               "Smooth ProgressBar Control",
                                               "Slider Control",
                                               "ListBox Control",
                                               "Tab Control",
                                               "ComboBox Control",
                                               "TreeView",
                                               "TreeView(2)",
                                               "ListView",
                                               "ListView(2)",
                                               "Show / Hide Controls",
                                               "Enable / Disable Controls"};
    for (int i = 0; i < bench::kTestCount; ++i) {
        std::string name;
        GetTestName(i, name);
        EXPECT_EQ(name, expected[i]) << "test " << i;
        EXPECT_EQ(bench::kCatalogue[i].descriptionId, 104u + static_cast<unsigned>(i));
    }
}

TEST(CatalogueTest, NameLookupOutsideTheCatalogueLeavesTheTextAlone) {
    std::string text = "unchanged";
    GetTestName(-1, text);
    GetTestName(20, text);
    EXPECT_EQ(text, "unchanged");
}

TEST(ScoringTest, NewResultHasNoTimesNoFlagsAndColumnA) {
    CMarkResult result;
    for (int i = 0; i < bench::kTestCount; ++i) {
        EXPECT_EQ(result.m_fTime[i], 0.0f);
        EXPECT_EQ(result.m_nRun[i], 0);
        EXPECT_EQ(result.m_fRef[i], bench::kCatalogue[i].referenceA);
    }
    EXPECT_EQ(bench::FormatTime(result.GetTotalTime()), "0.000");
    EXPECT_EQ(result.GetTotalMark(), 0);
    EXPECT_EQ(result.GetAverageMark(), 0);
}

TEST(ScoringTest, ReferenceColumnFollowsThePlatformId) {
    CMarkResult result;
    result.SetReference(2);
    EXPECT_EQ(result.m_fRef[1], 7.4f);
    EXPECT_EQ(result.m_fRef[9], 6.6f);
    result.SetReference(0);  // anything but 1 is column B
    EXPECT_EQ(result.m_fRef[7], 3.4f);
    result.SetReference(1);
    EXPECT_EQ(result.m_fRef[7], 10.5f);
    EXPECT_EQ(result.m_fRef[9], 24.1f);
}

TEST(ScoringTest, TimeEqualToTheReferenceScores1000AndSlightlyAboveScores999) {
    CMarkResult result;
    for (int i = 0; i < bench::kTestCount; ++i) {
        result.m_fTime[i] = result.m_fRef[i];
        EXPECT_EQ(result.GetMark(i), 1000) << "test " << i;
        result.m_fTime[i] = result.m_fRef[i] * 1.0001f;
        EXPECT_EQ(result.GetMark(i), 999) << "test " << i;
    }
}

TEST(ScoringTest, MarksAreTruncatedAndTwiceAsFastScores2000) {
    CMarkResult result;
    result.m_fTime[0] = 2.2f;  // 4.4 / 2.2
    EXPECT_EQ(result.GetMark(0), 2000);
    result.m_fTime[2] = 3.0f;  // 9.5 * 1000 / 3 = 3166.67
    EXPECT_EQ(result.GetMark(2), 3166);
    // One millisecond at N = 50000 against the largest reference: about
    // 120500000 in single-precision inputs, far below the 32-bit limit.
    result.m_fTime[9] = 0.0002f;
    EXPECT_NEAR(result.GetMark(9), 120500000, 10);
}

TEST(ScoringTest, SwitchingThePlatformChangesEveryMarkButNoTime) {
    CMarkResult result;
    for (int i = 0; i < bench::kTestCount; ++i)
        result.m_fTime[i] = 5.0f;
    result.SetReference(1);
    int32_t marksA[bench::kTestCount];
    for (int i = 0; i < bench::kTestCount; ++i)
        marksA[i] = result.GetMark(i);
    result.SetReference(2);
    int changed = 0;
    for (int i = 0; i < bench::kTestCount; ++i) {
        if (result.GetMark(i) != marksA[i])
            ++changed;
        EXPECT_EQ(result.m_fTime[i], 5.0f);
    }
    EXPECT_EQ(changed, bench::kTestCount);
}

TEST(ScoringTest, TotalsCoverAllTwentyTestsAndTheAverageTruncates) {
    CMarkResult result;
    // 19 tests at 1000 and one at 999: total 19999, average 999.
    for (int i = 0; i < bench::kTestCount; ++i)
        result.m_fTime[i] = result.m_fRef[i];
    result.m_fTime[3] = result.m_fRef[3] * 1.0001f;
    EXPECT_EQ(result.GetTotalMark(), 19999);
    EXPECT_EQ(result.GetAverageMark(), 999);
    EXPECT_EQ(bench::FormatMark(result.GetTotalMark()), "19999");

    CMarkResult partial;
    partial.m_fTime[0] = 1.25f;
    partial.m_fTime[19] = 0.5f;
    EXPECT_EQ(bench::FormatTime(partial.GetTotalTime()), "1.750");
    EXPECT_EQ(partial.GetTotalMark(), partial.GetMark(0) + partial.GetMark(19));
}

TEST(ScoringTest, TimesFromAnEditedFileNeverOverflowTheMark) {
    CMarkResult result;
    result.m_fTime[0] = 1e-30f;
    EXPECT_EQ(result.GetMark(0), INT32_MAX);
    result.m_fTime[0] = -4.4f;
    EXPECT_EQ(result.GetMark(0), -1000);
    result.m_fTime[0] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(result.GetMark(0), 0);
    EXPECT_EQ(result.GetMark(20), 0);
}

TEST(TimingTest, ElapsedTicksSurviveTheCounterWrapping) {
    EXPECT_EQ(bench::ElapsedTicks(0xFFFFFFF0u, 16u), 32u);
    EXPECT_EQ(bench::ElapsedTicks(100u, 2445u), 2345u);
    EXPECT_EQ(bench::ElapsedTicks(7u, 7u), 0u);
}

TEST(TimingTest, NormalisedTimeIsSecondsAtTenThousandLoops) {
    EXPECT_DOUBLE_EQ(bench::NormalizedTime(2345, 10000), 2.345);
    EXPECT_DOUBLE_EQ(bench::NormalizedTime(2345, 5000), 4.690);
    EXPECT_DOUBLE_EQ(bench::NormalizedTime(1, 50000), 0.0002);
    // Large elapsed values do not overflow an integer product.
    EXPECT_DOUBLE_EQ(bench::NormalizedTime(0xFFFFFFFFu, 10000), 4294967.295);
}

TEST(TimingTest, LoopCountIsClampedToItsRange) {
    struct Case {
        int32_t in, out;
    } cases[] = {{4999, 5000}, {5000, 5000}, {10000, 10000},    {50000, 50000},    {50001, 50000},
                 {-1, 5000},   {0, 5000},    {INT32_MIN, 5000}, {INT32_MAX, 50000}};
    for (const Case& c : cases)
        EXPECT_EQ(bench::ClampLoopCount(c.in), c.out) << c.in;
}

}  // namespace
