// A comparison as text to share, UTF-8: a Markdown pipe table, CSV with
// every figure unrounded, and one self-contained HTML page with the chart as
// inline SVG. Each names the loop count and the rounds of every record and
// states the noise rule.
#pragma once

#include <string>
#include <vector>

#include "compare/comparison.h"

namespace compare {

// The tests in order (see SortedTests); the best mark of each test in bold.
std::string ToMarkdown(const Comparison& comparison, const std::vector<int>& order);
// One row per test and record, in catalogue order (test_index 0..19), then
// one summary row per record over the common tests (test_index empty; time
// is the total, mark the geometric mean of marks, ratio that of ratios,
// rounds the record's rounds text), then the baseline and the legend as
// notes (only the test field set). Fields are quoted as RFC 4180 says and
// lines end CR LF; figures are unrounded (the shortest text that reads back
// as the same double), a missing one empty.
std::string ToCsv(const Comparison& comparison);
// No scripts and no external files: styles inline, the chart as SVG.
std::string ToHtml(const Comparison& comparison, const std::vector<int>& order);

}  // namespace compare
