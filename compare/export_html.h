// The pieces the HTML export is made of: escaping, colours, and the chart
// as inline SVG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compare/comparison.h"
#include "framework/palette.h"

namespace compare {

// text with &, <, > and " as entities: safe in an element and in a
// double-quoted attribute.
std::string HtmlEscaped(const std::string& text);
// A colour as "#RRGGBB".
std::string HtmlColour(palette::Colour colour);

// The chart of LayOutChart as one <svg> element, with the test names, the
// ticks, the centre line, the bars and their whiskers, and a key below it
// naming each record by its colour. Empty for a comparison without records.
std::string ChartSvg(const Comparison& comparison, const std::vector<int>& order);

}  // namespace compare
