// The driver's portable pieces: reading the numbers the window shows, the
// run statistics, the three report formats, the command line and the
// prepared data files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/driver/data_file_text.h"
#include "tools/driver/driver_args.h"
#include "tools/driver/run_report.h"

namespace e2e {
namespace {

TEST(ShownNumberTest, ReadsOnlyWholeDecimalNumbers) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    } cases[] = {{"12.345", true, 12.345}, {"3808", true, 3808}, {" 0.000 ", true, 0},
                 {"-1.5", true, -1.5},     {"", false, 0},       {"   ", false, 0},
                 {"abc", false, 0},        {"1.2.3", false, 0},  {"-", false, 0},
                 {".", false, 0},          {"12 s", false, 0},   {"1e5", false, 0}};
    for (const Case& c : cases) {
        double value = -99;
        EXPECT_EQ(ParseShownNumber(c.text, value), c.ok) << "\"" << c.text << "\"";
        if (c.ok) {
            EXPECT_DOUBLE_EQ(value, c.value) << c.text;
        }
    }
}

TEST(ShownNumberTest, RunNumbersNameTheTextThatIsNotANumber) {
    RunResult run;
    run.rows.push_back({"Standard Text", "1.250", "3760", 0, 0});
    run.rows.push_back({"EditBox Text", "", "0", 0, 0});
    run.totalTimeText = "1.250";
    run.totalMarkText = "3760";
    run.averageMarkText = "188";
    std::string bad = "unset";
    EXPECT_FALSE(ParseRunNumbers(run, &bad));
    EXPECT_EQ(bad, "");

    run.rows[1].timeText = "0.000";
    ASSERT_TRUE(ParseRunNumbers(run, &bad));
    EXPECT_DOUBLE_EQ(run.rows[0].time, 1.25);
    EXPECT_DOUBLE_EQ(run.rows[0].mark, 3760);
    EXPECT_DOUBLE_EQ(run.averageMark, 188);
}

// Three runs of two tests; the second test's times are 1, 3 and 2 seconds.
Report ThreeRuns() {
    Report report;
    report.dataFilePath = "C:\\users\\me\\velkora.vlk";
    report.startAllPresses = 3;
    const double times[3] = {1.0, 3.0, 2.0};
    const double marks[3] = {3400, 1133, 1700};
    for (int r = 0; r < 3; ++r) {
        RunResult run;
        run.rows.push_back({"Standard Text", "", "", 0.5, 9400});
        run.rows.push_back({"Standard Text(2)", "", "", times[r], marks[r]});
        run.totalTime = 0.5 + times[r];
        run.totalMark = 9400 + marks[r];
        run.averageMark = static_cast<long long>(9400 + marks[r]) / 20;
        report.runs.push_back(run);
    }
    return report;
}

TEST(ReportTest, TableShowsOneRunAsItsValues) {
    Report report = ThreeRuns();
    report.runs.resize(1);
    report.startAllPresses = 1;
    report.startup.splashToMainWindow = 12;
    const std::string table = FormatTable(report);
    EXPECT_NE(table.find("Standard Text(2)                 1.000      3400\n"), std::string::npos)
        << table;
    EXPECT_NE(table.find("OVER ALL                         1.500     12800\n"), std::string::npos)
        << table;
    EXPECT_NE(table.find("AVERAGE MARK                                 640\n"), std::string::npos)
        << table;
    EXPECT_NE(table.find("splash closed -> main window created 12 ms"), std::string::npos);
    EXPECT_NE(table.find("graph title set ?"), std::string::npos) << "not observed";
    EXPECT_NE(table.find("Data file: C:\\users\\me\\velkora.vlk\n"), std::string::npos);
    EXPECT_EQ(table.find("median"), std::string::npos);
    EXPECT_EQ(table.find("ROUNDS"), std::string::npos) << "no rounds columns for single rounds";
}

TEST(ReportTest, TableShowsSeveralRunsAsMedianMinimumAndMaximum) {
    const std::string table = FormatTable(ThreeRuns());
    EXPECT_NE(table.find("median       min       max    median       min       max    spread"),
              std::string::npos)
        << table;
    EXPECT_NE(
        table.find("Standard Text(2)                 2.000     1.000     3.000      1700      "
                   "1133      3400   100.0 % !\n"),
        std::string::npos)
        << "(3 - 1) / 2 is marked: " << table;
    EXPECT_NE(
        table.find("Standard Text                    0.500     0.500     0.500      9400      "
                   "9400      9400     0.0 %\n"),
        std::string::npos)
        << table;
    EXPECT_NE(table.find("START ALL pressed 3 times"), std::string::npos);
    EXPECT_NE(table.find("AVERAGE MARK" + std::string(53, ' ') + "555       526       640\n"),
              std::string::npos)
        << "no time columns for the average: " << table;
}

// ThreeRuns with Standard Text(2) timed in three rounds, from 2 % faster to
// 10 % slower than its time, except in the second run, which had one round.
Report ThreeRunsInRounds() {
    Report report = ThreeRuns();
    report.roundsSetting = "3";
    for (size_t r = 0; r < report.runs.size(); ++r) {
        TestRow& row = report.runs[r].rows[1];
        row.rounds = r == 1 ? 1 : 3;
        row.fastest = r == 1 ? 0 : row.time * 0.98;
        row.slowest = r == 1 ? 0 : row.time * 1.1;
    }
    // The first run's rounds are known, the later two slower than the first.
    report.runs[0].rows[1].roundTimes = {0.98, 1.1, 1.0};
    return report;
}

TEST(ReportTest, RoundsShowTheirCountRangeAndSpreadInEveryFormat) {
    Report one = ThreeRunsInRounds();
    one.runs.resize(1);
    one.startAllPresses = 1;
    const std::string oneTable = FormatTable(one), table = FormatTable(ThreeRunsInRounds());
    const std::string json = FormatJson(ThreeRunsInRounds()), csv = FormatCsv(ThreeRunsInRounds());
    struct Case {
        const std::string& text;
        std::string expected;
        const char* why;
    } cases[] = {
        {oneTable, "Rounds    : 3 (VelkoraRounds in the data file)\n", "the setting"},
        {oneTable, "TIME(sec)   VELKORA  ROUNDS          RANGE(sec)    SPREAD\n", "headings"},
        {oneTable,
         "Standard Text(2)                 1.000      3400       3        0.980..1.100    "
         "12.0 % !\n",
         "(1.1 - 0.98) / 1 is marked"},
        {oneTable, "Standard Text                    0.500      9400       1\n", "one round"},
        {table, "   100.0 % !     1-3        0.980..3.000   101.0 % !\n",
         "the range of every run's rounds against the median time"},
        {table, "     0.0 %         1\n", "the runs' spread keeps its mark's place"},
        {oneTable, "round spread = (slowest - fastest round) / time; ! above 5 %", "the legend"},
        {json,
         "\"mark\": 3400, \"rounds\": 3, \"fastest\": 0.98, \"slowest\": 1.1, "
         "\"spread\": 0.12, \"roundTimes\": [0.98, 1.1, 1], \"laterRounds\": 1.07142",
         "a fraction, as the summary's, and every round"},
        {json,
         "\"mark\": 1133, \"rounds\": 1, \"fastest\": null, \"slowest\": null, "
         "\"spread\": null, \"roundTimes\": null, \"laterRounds\": null}",
         "one round has no range"},
        {csv,
         "record,test,time_s,mark,rounds,fastest_s,slowest_s,round_spread,later_rounds,round1_s,"
         "round2_s,round3_s,round4_s,round5_s,round6_s,round7_s,round8_s,round9_s\n",
         "header"},
        {csv,
         "\n1,Standard Text(2),1.000,3400,3,0.980,1.100,0.1200,1.0714,0.980,1.100,1.000,,,,,,\n",
         "appended fields, every round"},
        {csv, "\n2,Standard Text(2),3.000,1133,1,,,,,,,,,,,,,\n", "one round: only the count"},
        {csv, "\nmedian,Standard Text(2),2.000,1700,,,,,,,,,,,,,,\n", "nothing for the statistics"},
        {oneTable, "later rounds slower than the first", "x1.07 stays under the flag"},
    };
    for (const Case& c : cases) {
        const bool absent = c.why == std::string("x1.07 stays under the flag");
        EXPECT_EQ(c.text.find(c.expected) == std::string::npos, absent) << c.why << ":\n" << c.text;
    }
    one.runs[0].rows[1].roundTimes = {0.9, 1.1, 1.0};
    EXPECT_NE(FormatTable(one).find("later rounds slower than the first: Standard Text(2), x1.17 "
                                    "(0.900 s first)\n"),
              std::string::npos)
        << FormatTable(one);
}

TEST(ReportTest, RoundsAreReadAsTheProgramReadsThem) {
    struct Case {
        const char *rounds, *fastest, *slowest, *list;
        int count;
        double low, high;
        size_t listed;  // round times kept: all of them or none
    } cases[] = {{"3", "0.980000", "1.100000", "1.1 0.98 1.0", 3, 0.98, 1.1, 3},
                 {"", "", "", "1 2", 1, 0, 0, 0},
                 {"1", "1.000000", "1.000000", "", 1, 0, 0, 0},
                 {"12", "1", "2", "1 2 3", 9, 1, 2, 0},
                 {"2", "fast", "2.5", "2.5 x", 2, 0, 2.5, 0}};
    for (const Case& c : cases) {
        TestRow row;
        row.time = 2;
        SetRounds(row, c.rounds, c.fastest, c.slowest, c.list);
        EXPECT_EQ(row.roundTimes.size(), c.listed) << c.list;
        EXPECT_EQ(row.rounds, c.count) << "\"" << c.rounds << "\"";
        EXPECT_DOUBLE_EQ(row.fastest, c.low) << c.rounds;
        EXPECT_DOUBLE_EQ(row.slowest, c.high) << c.rounds;
        EXPECT_DOUBLE_EQ(row.RoundSpread(), (c.high - c.low) / 2) << c.rounds;
    }
}

TEST(ReportTest, MedianOfAnEvenNumberOfMarksKeepsItsHalf) {
    Report report = ThreeRuns();
    report.runs.resize(2);  // marks 3400 and 1133
    EXPECT_NE(FormatTable(report).find("2266.5"), std::string::npos);
}

TEST(ReportTest, JsonEscapesPathsAndMarksUnobservedTimesAsNull) {
    Report report = ThreeRuns();
    report.exePath = "C:\\tmp\\\"odd\"\tname\x01.exe";
    const std::string json = FormatJson(report);
    EXPECT_NE(json.find("\"exe\": \"C:\\\\tmp\\\\\\\"odd\\\"\\tname\\u0001.exe\""),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"dataFile\": \"C:\\\\users\\\\me\\\\velkora.vlk\""), std::string::npos);
    EXPECT_NE(json.find("\"splashToMainWindow\": null"), std::string::npos);
    EXPECT_NE(json.find("\"loopSetting\": null"), std::string::npos);
    EXPECT_NE(json.find("{\"name\": \"Standard Text(2)\", \"time\": {\"median\": 2, \"min\": 1, "
                        "\"max\": 3, \"spread\": 1, \"unsteady\": true}"),
              std::string::npos)
        << json;
    // Brackets and braces balance outside strings.
    int depth = 0;
    bool inString = false;
    for (size_t i = 0; i < json.size(); ++i) {
        if (inString) {
            if (json[i] == '\\')
                ++i;
            else if (json[i] == '"')
                inString = false;
        } else if (json[i] == '"') {
            inString = true;
        } else if (json[i] == '{' || json[i] == '[') {
            ++depth;
        } else if (json[i] == '}' || json[i] == ']') {
            ASSERT_GT(depth, 0) << "at " << i;
            --depth;
        }
    }
    EXPECT_EQ(depth, 0);
    EXPECT_FALSE(inString);
}

TEST(ReportTest, CsvHasOneLinePerValueAndQuotesAwkwardNames) {
    Report report = ThreeRuns();
    report.runs[0].rows[0].name = "Show, \"Hide\"";
    // A name meant to become a formula in a spreadsheet stays text.
    report.runs[1].rows[0].name = "=HYPERLINK(\"http://x\")";
    const std::string csv = FormatCsv(report);
    EXPECT_NE(csv.find("2,\"'=HYPERLINK(\"\"http://x\"\")\",0."), std::string::npos) << csv;
    size_t lines = 0;
    for (char c : csv)
        lines += c == '\n';
    // Header; per run 2 tests + OVER ALL + AVERAGE; the same for median, min, max.
    EXPECT_EQ(lines, 1u + 3 * 4 + 3 * 4);
    EXPECT_EQ(csv.rfind("record,test,time_s,mark,", 0), 0u) << csv;
    EXPECT_NE(csv.find("1,\"Show, \"\"Hide\"\"\",0.500,9400,1,,,,,,,,,,,,,\n"), std::string::npos)
        << csv;
    EXPECT_NE(csv.find("median,Standard Text(2),2.000,1700,"), std::string::npos);
    EXPECT_NE(csv.find("max,OVER ALL,3.500,12800,"), std::string::npos);
    EXPECT_NE(csv.find("2,AVERAGE,,526,"), std::string::npos) << csv;
}

TEST(DriverArgsTest, AcceptsEveryOption) {
    DriverArgs args;
    std::string error;
    ASSERT_TRUE(ParseDriverArgs({"run",           "C:\\v\\velkora.exe",
                                 "--loop",        "60000",
                                 "--rounds",      "3",
                                 "--runs",        "3",
                                 "--json",        "r.json",
                                 "--csv",         "r.csv",
                                 "--screenshot",  "w.bmp",
                                 "--timeout",     "2.5",
                                 "--run-timeout", "900",
                                 "--warmup",      "1",
                                 "--condition",   "pinned to CPU 1",
                                 "--condition",   "second"},
                                args, error))
        << error;
    EXPECT_EQ(args.exePath, "C:\\v\\velkora.exe");
    EXPECT_TRUE(args.hasLoop);
    EXPECT_EQ(args.loop, 60000);
    EXPECT_TRUE(args.hasRounds);
    EXPECT_EQ(args.rounds, 3);
    EXPECT_EQ(args.runs, 3);
    EXPECT_EQ(args.jsonPath, "r.json");
    EXPECT_EQ(args.csvPath, "r.csv");
    EXPECT_EQ(args.screenshotPath, "w.bmp");
    EXPECT_DOUBLE_EQ(args.timeoutSeconds, 2.5);
    EXPECT_DOUBLE_EQ(args.runTimeoutSeconds, 900);
    EXPECT_EQ(args.warmups, 1);
    EXPECT_EQ(args.conditions, (std::vector<std::string>{"pinned to CPU 1", "second"}));

    ASSERT_TRUE(ParseDriverArgs({"run", "velkora.exe"}, args, error));
    EXPECT_FALSE(args.hasLoop) << "the data file keeps its own loop count";
    EXPECT_FALSE(args.hasRounds) << "and its own rounds";
    EXPECT_EQ(args.runs, 1);
    EXPECT_EQ(args.warmups, 0) << "no warm-up unless asked";
    EXPECT_TRUE(args.conditions.empty());
}

TEST(DriverArgsTest, RefusesWrongCommandLinesWithAReason) {
    struct Case {
        std::vector<std::string> args;
        const char* reason;
    } cases[] = {{{}, "command"},
                 {{"start", "v.exe"}, "command"},
                 {{"run"}, "missing"},
                 {{"run", "v.exe", "w.exe"}, "unexpected"},
                 {{"run", "v.exe", "--loop"}, "needs a value"},
                 {{"run", "v.exe", "--loop", "many"}, "whole number"},
                 {{"run", "v.exe", "--loop", "12x"}, "whole number"},
                 {{"run", "v.exe", "--loop", "99999999999"}, "whole number"},
                 {{"run", "v.exe", "--rounds", "0"}, "from 1 to 9"},
                 {{"run", "v.exe", "--rounds", "10"}, "from 1 to 9"},
                 {{"run", "v.exe", "--rounds", "2.5"}, "from 1 to 9"},
                 {{"run", "v.exe", "--runs", "-1"}, "count"},
                 {{"run", "v.exe", "--warmup", "101"}, "count"},
                 {{"run", "v.exe", "--timeout", "0"}, "positive"},
                 {{"run", "v.exe", "--fast"}, "unknown option"}};
    for (const Case& c : cases) {
        DriverArgs args;
        std::string error;
        EXPECT_FALSE(ParseDriverArgs(c.args, args, error)) << c.reason;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
}

TEST(DataFileTextTest, DataFileLiesBesideTheProgramWithTheExtensionVlk) {
    struct Case {
        const wchar_t* exe;
        const wchar_t* data;
    } cases[] = {{L"C:\\Tools\\bench.exe", L"C:\\Tools\\bench.vlk"},
                 {L"C:\\a.b\\velkora", L"C:\\a.b\\velkora.vlk"},
                 {L"velkora.exe", L"velkora.vlk"},
                 {L"Z:/tmp/x.y/velkora.EXE", L"Z:/tmp/x.y/velkora.vlk"}};
    for (const Case& c : cases)
        EXPECT_EQ(DataFilePathFor(c.exe), c.data);
}

TEST(DataFileTextTest, RecordsAreNumberedFromOneWithThreeDigitsOrMore) {
    EXPECT_EQ(SystemSection(7), "SystemInfo-DATA007");
    EXPECT_EQ(ProcessorSection(0), "InfoCPU-DATA000");
    EXPECT_EQ(TimingSection(1000), "Velkora-DATA1000");

    PreparedRecord first, second;
    first.systemName = "First";
    first.platformId = 1;
    first.times[19] = 1.5f;
    second.systemName = "Second";
    const std::string text = DataFileText({{"VelkoraDataNum", "2"}}, {first, second});
    EXPECT_EQ(text.rfind("[VelkoraDataFile]\r\nVelkoraDataNum=2\r\n\r\n[SystemInfo-DATA001]", 0),
              0u)
        << text;
    const size_t one = text.find("[SystemInfo-DATA001]\r\nSystemName=First\r\n");
    const size_t two = text.find("[SystemInfo-DATA002]\r\nSystemName=Second\r\n");
    ASSERT_NE(one, std::string::npos);
    ASSERT_NE(two, std::string::npos);
    EXPECT_LT(one, two);
    EXPECT_NE(text.find("PlatformID=1\r\n", one), std::string::npos);
    EXPECT_NE(text.find("[Velkora-DATA001]\r\nStandard Text=0.000000\r\n"), std::string::npos);
    EXPECT_NE(text.find("Enable / Disable Controls=1.500000\r\n"), std::string::npos);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1) << "lines end with CR LF";
}

TEST(DataFileTextTest, ExpectedMarkTruncatesAndGivesZeroForNoTime) {
    EXPECT_EQ(ExpectedMark(4.4f, 4.4f), 1000);
    EXPECT_EQ(ExpectedMark(4.4f, 4.401f), 999);
    EXPECT_EQ(ExpectedMark(4.4f, 2.2f), 2000);
    EXPECT_EQ(ExpectedMark(24.1f, 0.0f), 0);
    EXPECT_EQ(ExpectedMark(kReferenceB[0], kReferenceA[0]), 1068) << "4.7 against 4.4";
}

}  // namespace
}  // namespace e2e
