// What the automation driver read from the main window after each run, and
// the three ways it hands that on: a table for people, JSON and CSV for
// programs. Portable: the Win32 side fills these structs, the formatting and
// the statistics are tested natively. Every text is UTF-8.
#pragma once

#include <string>
#include <vector>

#include "bench/rounds.h"
#include "tools/driver/machine_state.h"

namespace e2e {

// The rounds of a run go from 1 to the program's own limit.
constexpr int kMaxRounds = bench::kMaxRounds;

// One row of the result list as shown (the texts) and as numbers, with the
// rounds behind its time as record 0 of the data file holds them.
struct TestRow {
    std::string name;
    std::string timeText;  // column 1, "%.3f"
    std::string markText;  // column 2, "%u"
    double time = 0;
    double mark = 0;
    // 1: a single timing without a range. Several: the time is the median
    // of the rounds, and the fastest and slowest round are normalised like
    // it.
    int rounds = 1;
    double fastest = 0, slowest = 0;
    // Every round's time in the order they ran; empty when the record does
    // not list them.
    std::vector<double> roundTimes = {};

    // (slowest - fastest) / time; 0 for one round or no time.
    double RoundSpread() const;
    // The median of the rounds after the first over the first; 0 when the
    // rounds' times are not known.
    double LaterRoundsRatio() const;
};

// Later rounds this much slower than the first are flagged: a round then
// does not start from the state the first started from.
constexpr double kLaterRoundsLimit = 1.10;

// Sets a row's rounds from the texts of the keys "<name> Rounds", "<name>
// Fastest", "<name> Slowest" and "<name> Round Times" of record 0 (empty
// when absent), read as the program reads them: a count below 2 is one
// round, one above 9 is 9, and a time that is not a number is 0. The list
// is kept only when it holds one time per round.
void SetRounds(TestRow& row, const std::string& rounds, const std::string& fastest,
               const std::string& slowest, const std::string& roundTimes = std::string());

// The list and the three total labels after one run, and what the driver
// saw around it: the machine before it, the program's objects after it.
struct RunResult {
    std::vector<TestRow> rows;
    std::string totalTimeText, totalMarkText, averageMarkText;
    double totalTime = 0, totalMark = 0, averageMark = 0;
    Idleness machine;
    long gdiObjects = -1, userObjects = -1;  // -1: not counted
    double privateBytes = -1;
};

// The number at the start of a list cell or label ("12.345", "3808"); false
// for an empty text or one that is not a number as a whole.
bool ParseShownNumber(const std::string& text, double& value);

// Fills the numbers of a run from its texts; false (with the offending text
// in *bad) when one does not read as a number.
bool ParseRunNumbers(RunResult& run, std::string* bad = nullptr);

// The median, minimum and maximum over the runs are the program's own
// (bench/rounds.h).
using bench::Spread;
using bench::SpreadOf;

// A test whose times spread more than this over the runs is marked as not
// to be trusted blindly.
constexpr double kSteadySpread = 0.05;

// Milliseconds between moments of the program's start, measured by polling;
// a negative value was not observed.
struct StartupTimes {
    double splashToMainWindow = -1;  // splash box gone -> main window created
    double mainWindowToTitle = -1;   // main window created -> graph title set
    double mainWindowToList = -1;    // main window created -> list answers with row 0
};

struct Report {
    std::string exePath;
    std::string dataFilePath;
    std::string loopSetting;    // "VelkoraLoop" as the data file holds it; empty when absent
    std::string roundsSetting;  // "VelkoraRounds" likewise
    std::string processor, video, platform;  // the three information lines
    std::string screenshotPath;              // empty when none was taken
    StartupTimes startup;
    int startAllPresses = 1;  // 0: runs holds the list as shown after start-up
    std::vector<RunResult> runs;
    // The conditions the driver set or saw, reported with every figure.
    std::vector<RunResult> warmups;       // dropped from the statistics
    std::vector<std::string> conditions;  // set up outside the driver
    std::string objectCountSource;        // how GDI and USER objects were counted
};

// Per test, then the totals: the values of a single run, or median, minimum,
// maximum and spread over several (a spread above kSteadySpread marked
// "!"); then each run with the machine's state before it and the program's
// objects after it, the conditions, and the data file's path. When a test
// was timed in several rounds, the tests have three more columns: the
// rounds, the range from the fastest to the slowest round and its spread
// relative to the time, marked like the other (over several runs: the count
// of each, and the range of every run's rounds against the median time).
// Tests whose later rounds ran more than kLaterRoundsLimit slower than the
// first are named below the table.
std::string FormatTable(const Report& report);
// {"exe", "dataFile", "loopSetting", "roundsSetting", "processor", "video",
//  "platform", "screenshot", "startupMs": {...}, "startAllPresses",
//  "conditions": {...}, "warmupRuns": [...], "runs": [...], "summary":
//  {...}}; each summary time has its "spread" and "unsteady" (spread above
//  kSteadySpread). Each test of a run has "name", "time", "mark", "rounds",
//  and "fastest", "slowest" and "spread" (RoundSpread, a fraction like the
//  summary's), which are null for a single round, then "roundTimes" (every
//  round's time, or null) and "laterRounds" (LaterRoundsRatio, or null).
std::string FormatJson(const Report& report);
// One line per value: record (run number, or median/min/max), test, time,
// mark, then rounds, fastest, slowest and round_spread (a fraction), then
// later_rounds (LaterRoundsRatio) and round1_s to round9_s. The totals use
// the test names "OVER ALL" and "AVERAGE". The rounds fields are filled
// only for the tests of a run, and for a single round only the count.
std::string FormatCsv(const Report& report);

// Text escaped for a JSON string literal (without the quotes).
std::string JsonEscape(const std::string& text);
// A CSV field as the comparison's export writes one (compare::CsvField):
// quoted when it holds a comma, a quote or a line break, and kept from
// reading as a formula in a spreadsheet.
std::string CsvField(const std::string& text);

}  // namespace e2e
