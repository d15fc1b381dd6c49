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
// One row per test and record, in catalogue order.
std::string ToCsv(const Comparison& comparison);
// No scripts and no external files: styles inline, the chart as SVG.
std::string ToHtml(const Comparison& comparison, const std::vector<int>& order);

}  // namespace compare
