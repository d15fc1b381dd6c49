// What the automation driver read from the main window after each run, and
// the three ways it hands that on: a table for people, JSON and CSV for
// programs. Portable: the Win32 side fills these structs, the formatting and
// the statistics are tested natively. Every text is UTF-8.
#pragma once

#include <string>
#include <vector>

#include "tools/driver/machine_state.h"

namespace e2e {

// One row of the result list as shown (the texts) and as numbers.
struct TestRow {
    std::string name;
    std::string timeText;  // column 1, "%.3f"
    std::string markText;  // column 2, "%u"
    double time = 0;
    double mark = 0;
};

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

struct Spread {
    double median = 0, min = 0, max = 0;
    // (max - min) / median; 0 for a median of 0.
    double Relative() const { return median > 0 ? (max - min) / median : 0; }
};
// Median (the mean of the two middle values for an even count), minimum and
// maximum; all zero for no values.
Spread SpreadOf(std::vector<double> values);

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
    std::string loopSetting;  // "VelkoraLoop" as the data file holds it; empty when absent
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
// objects after it, the conditions, and the data file's path.
std::string FormatTable(const Report& report);
// {"exe", "dataFile", "loopSetting", "processor", "video", "platform",
//  "screenshot", "startupMs": {...}, "startAllPresses", "conditions": {...},
//  "warmupRuns": [...], "runs": [...], "summary": {...}}; each summary time
//  has its "spread" and "unsteady" (spread above kSteadySpread).
std::string FormatJson(const Report& report);
// One line per value: record (run number, or median/min/max), test, time,
// mark. The totals use the test names "OVER ALL" and "AVERAGE".
std::string FormatCsv(const Report& report);

// Text escaped for a JSON string literal (without the quotes).
std::string JsonEscape(const std::string& text);
// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text);

}  // namespace e2e
