// The texts the three exports share, in English and UTF-8: the column
// headings, the machine rows, the summary rows and the legend. Each export
// only lays them out in its own syntax.
#pragma once

#include <string>
#include <vector>

#include "compare/comparison.h"
#include "compare/entry.h"

namespace compare {

// "Processor", "Clock", "Windows", "Memory", "Video card", "Loop count",
// "Rounds".
const char* MachineFieldName(MachineField field);
// The field's text; the loop count is the entry's own, so an entry made by
// hand without machine texts still names it.
std::string MachineFieldText(const Entry& entry, MachineField field);

// The catalogue's name of a test.
std::string TestName(int test);
// EntryLabel, with " (baseline)" on the baseline's column.
std::string ColumnHeading(const Comparison& comparison, int column);
// Whether a column holds the best mark of a test: the highest among the
// cells that have a time, compared as whole marks against the common
// reference (CommonMark), so that records of both platform families compare
// like with like and every cell that reads the same as the best is best too.
bool IsBestMark(const Comparison& comparison, int test, int column);

// The rows below the tests, each over the tests every record has.
enum class SummaryRow { kTotalTime, kGeometricMark, kGeometricRatio, kWinsTiesLosses };
constexpr int kSummaryRowCount = 4;
// "Total time (s)", "Geometric mean of marks (k of 20 tests)", ...
std::string SummaryHeading(const Comparison& comparison, SummaryRow row);
// A column's figure; "—" where there is none (no common test, or the
// baseline's own wins and losses).
std::string SummaryText(const Comparison& comparison, int column, SummaryRow row);

// "Baseline: ..." naming the record or the reference machine.
std::string BaselineSentence(const Comparison& comparison);
// What a record timed once means, and how to time it in rounds.
std::string SingleRoundWarning();
// The ratio, the noise rule, the markers and what the summaries cover.
std::vector<std::string> LegendLines(const Comparison& comparison);

}  // namespace compare
