// The driver's view of a run in progress and of the machine around it: the
// progress lines, the estimate of what remains, the idleness verdict, and
// how the per-run counts and conditions reach the table and the JSON.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/driver/machine_state.h"
#include "tools/driver/run_progress.h"
#include "tools/driver/run_report.h"

namespace e2e {
namespace {

TEST(ProgressTest, TitlesNameTheRunningTestAndItsRoundAndNothingElse) {
    struct Case {
        const char* title;
        int index, round, rounds;
    } cases[] = {{"Velkora - Standard Text Testing...", 0, 1, 1},
                 {"Velkora - TreeView Testing...", 14, 1, 1},
                 {"Velkora - TreeView(2) Testing...", 15, 1, 1},
                 {"Velkora - Enable / Disable Controls Testing...", 19, 1, 1},
                 {"Velkora - Tab Control  2/5 Testing...", 12, 2, 5},
                 {"Velkora - TreeView(2)  9/9 Testing...", 15, 9, 9},
                 {"Velkora - Stoped Testing...", -1, 0, 0},
                 {"Velkora", -1, 0, 0},
                 {"", -1, 0, 0},
                 {"Velkora - Tab Control Testing", -1, 0, 0},
                 {"Velkora - tab control Testing...", -1, 0, 0},
                 {"Velkora - Tab Control 2/5 Testing...", -1, 0, 0},
                 {"Velkora - Tab Control  6/5 Testing...", -1, 0, 0},
                 {"Velkora - Tab Control  1/1 Testing...", -1, 0, 0},
                 {"Velkora -   2/5 Testing...", -1, 0, 0}};
    for (const Case& c : cases) {
        TitleRound round{0, 0};
        EXPECT_EQ(TestIndexOfTitle(c.title, &round), c.index) << c.title;
        EXPECT_EQ(round.round, c.round) << c.title;
        EXPECT_EQ(round.rounds, c.rounds) << c.title;
        EXPECT_EQ(TestIndexOfTitle(c.title), c.index) << "without a round asked: " << c.title;
    }
}

TEST(ProgressTest, TimeBoxReadsOnlyItsOwnFormat) {
    struct Case {
        const char* text;
        double seconds;
    } cases[] = {{"12.345 s", 12.345}, {"0.000 s", 0},  {"", -1},        {"12.345", -1},
                 {"abc s", -1},        {"1.5 s x", -1}, {"-1.000 s", -1}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(TimeBoxSeconds(c.text), c.seconds) << "\"" << c.text << "\"";
}

TEST(ProgressTest, OneLinePerTestWithTimeElapsedAndEstimate) {
    struct Case {
        int index, round, rounds;
        const char* name;
        double seconds, took, elapsed, remaining;
        const char* line;
        const char* why;
    } cases[] = {
        {2, 1, 1, "EditBox Text", 7.25, 5.04, 41.4, 125,
         "  3/20  EditBox Text                   7.250 s   elapsed 0:41   about 2:05 left\n",
         "the program's time first"},
        {2, 1, 1, "EditBox Text", -1, 5.04, 41.4, 125,
         "  3/20  EditBox Text                    ~5.0 s   elapsed 0:41   about 2:05 left\n",
         "the driver's own timing when the program's cannot be read"},
        {2, 1, 1, "EditBox Text", -1, -1, 41.4, -1,
         "  3/20  EditBox Text                       ? s   elapsed 0:41\n",
         "no time read and no earlier run"},
        {19, 1, 1, "Enable / Disable Controls", 4.5, -1, 3725, 0,
         " 20/20  Enable / Disable Controls      4.500 s   elapsed 1:02:05   done\n",
         "the last test, after an hour"},
        {19, 1, 2, "Enable / Disable Controls", -1, 4.5, 90, 88,
         " 20/20  Enable / Disable Controls  1/2       ~4.5 s   elapsed 1:30   about 1:28 left\n",
         "the last test of a round that is not the last"},
        {19, 2, 2, "Enable / Disable Controls", 4.5, -1, 180, 0,
         " 20/20  Enable / Disable Controls  2/2      4.500 s   elapsed 3:00   done\n",
         "the last test of the last round"},
    };
    for (const Case& c : cases) {
        FinishedTest test;
        test.index = c.index;
        test.count = 20;
        test.round = c.round;
        test.rounds = c.rounds;
        test.name = c.name;
        test.seconds = c.seconds;
        test.took = c.took;
        test.elapsed = c.elapsed;
        test.remaining = c.remaining;
        EXPECT_EQ(FormatProgressLine(test), c.line) << c.why;
    }
}

TEST(ProgressTest, RemainingIsWhatTheLaterTestsTookLastTime) {
    RemainingEstimate estimate;
    EXPECT_FALSE(estimate.Known());
    EXPECT_EQ(estimate.After(0), -1);

    estimate.SetPrevious({1, 2, 3, 4});
    EXPECT_DOUBLE_EQ(estimate.After(-1), 10);
    EXPECT_DOUBLE_EQ(estimate.After(0), 9);
    EXPECT_DOUBLE_EQ(estimate.After(2), 4);
    EXPECT_DOUBLE_EQ(estimate.After(3), 0);

    estimate.SetPrevious({1, -1, 3});
    EXPECT_FALSE(estimate.Known()) << "an incomplete run gives no estimate";
}

TEST(MachineStateTest, ReadsProcFilesAndJudgesIdleness) {
    double load[3] = {};
    ASSERT_TRUE(ParseLoadAverage("0.52 1.10 2.00 3/712 90125\n", load));
    EXPECT_DOUBLE_EQ(load[1], 1.10);
    EXPECT_FALSE(ParseLoadAverage("", load));

    CpuTimes a, b;
    ASSERT_TRUE(ParseCpuTimes("cpu  100 0 50 800 50 0 0 0 0 0\ncpu0 1 2 3\n", a));
    EXPECT_EQ(a.busy, 150u);
    EXPECT_EQ(a.total, 1000u);
    ASSERT_TRUE(ParseCpuTimes("cpu  200 0 100 850 50 0 0 0 0 0\n", b));
    EXPECT_DOUBLE_EQ(BusyCores(a, b, 2), 1.5) << "150 of 200 jiffies busy on 2 processors";
    EXPECT_DOUBLE_EQ(BusyCores(b, a, 2), 0) << "readings out of order";
    EXPECT_FALSE(ParseCpuTimes("intr 5 6\n", a));

    struct Case {
        std::string cmdline;
        bool wine;
    } cases[] = {{std::string("Z:\\w\\velkora.exe\0", 18), true},
                 {std::string("C:\\windows\\system32\\SERVICES.EXE\0", 33), true},
                 {std::string("/usr/lib/wine/wineserver64\0-w\0", 30), true},
                 {std::string("/usr/bin/Xvfb\0:99\0", 18), false},
                 {std::string("bash\0-c\0x.exe\0", 14), false},
                 {"", false}};
    for (const Case& c : cases)
        EXPECT_EQ(IsWineCommandLine(c.cmdline), c.wine) << c.cmdline;

    const std::string env("A=1\0WINEPREFIX=/w/p\0WINEPREFIXES=x\0", 35);
    EXPECT_EQ(EnvironmentValue(env, "WINEPREFIX"), "/w/p");
    EXPECT_EQ(EnvironmentValue(env, "HOME"), "");

    Idleness state;
    Judge(state);
    EXPECT_TRUE(state.idle);
    EXPECT_EQ(IdlenessText(state).rfind("not checked", 0), 0u);
    state.checked = true;
    state.busyCores = 0.1;
    Judge(state);
    EXPECT_TRUE(state.idle);
    state.otherWineProcesses = 2;
    Judge(state);
    EXPECT_FALSE(state.idle);
    EXPECT_EQ(IdlenessText(state),
              "NOT IDLE (load 0.00 0.00 0.00, 0.10 cores busy, 2 other Wine processes)");
    state.otherWineProcesses = 0;
    state.busyCores = 0.9;
    Judge(state);
    EXPECT_FALSE(state.idle) << "busy processors";
}

// Two runs and a warm-up, with what the driver saw around each.
Report TwoCountedRuns() {
    Report report;
    report.startAllPresses = 2;
    report.conditions = {"Wine and X pinned to CPU 1"};
    report.objectCountSource = "GDI handle table + windows";
    for (int r = 0; r < 3; ++r) {
        RunResult run;
        run.rows.push_back({"Standard Text", "", "", 1.0 + r * 0.01, 4400});
        run.totalTime = 1.0 + r * 0.01;
        run.gdiObjects = 120 + r;
        run.userObjects = 60;
        run.privateBytes = 8 * 1048576.0;
        run.machine.checked = true;
        run.machine.idle = r != 1;
        (r == 0 ? report.warmups : report.runs).push_back(run);
    }
    return report;
}

TEST(ReportTest, EveryRunShowsItsObjectsAndTheMachineAndTheConditionsFollow) {
    const std::string table = FormatTable(TwoCountedRuns());
    EXPECT_NE(table.find("warm-up 1       1.000    120     60         8.0  idle ("),
              std::string::npos)
        << table;
    EXPECT_NE(table.find("1               1.010    121     60         8.0  NOT IDLE ("),
              std::string::npos)
        << table;
    EXPECT_NE(table.find("Warm-up runs dropped: 1\n"), std::string::npos);
    EXPECT_NE(table.find("Condition: Wine and X pinned to CPU 1\n"), std::string::npos);
    EXPECT_NE(table.find("1 of 3 runs started on a machine that was not idle"), std::string::npos);
    EXPECT_NE(table.find("Standard Text                    1.015     1.010     1.020"),
              std::string::npos)
        << "the warm-up stays out of the statistics: " << table;
    EXPECT_NE(table.find("1.0 %\n"), std::string::npos) << "0.01 / 1.015 is steady";

    const std::string json = FormatJson(TwoCountedRuns());
    EXPECT_NE(json.find("\"conditions\": {\"warmupRuns\": 1, \"steadySpread\": 0.05"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"set\": [\"Wine and X pinned to CPU 1\"]"), std::string::npos);
    EXPECT_NE(json.find("\"gdiObjects\": 122, \"userObjects\": 60, \"privateBytes\": 8388608"),
              std::string::npos);
    EXPECT_NE(json.find("\"idle\": false"), std::string::npos);
    EXPECT_NE(json.find("\"unsteady\": false"), std::string::npos);
}

}  // namespace
}  // namespace e2e
