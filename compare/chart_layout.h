// The comparison chart's geometry, shared by the window's GDI drawing and
// the HTML export's SVG: one group of horizontal bars per test, one bar per
// record, each as long as log2 of its ratio to the baseline, from a centre
// line at ×1 (so ×2 and ÷2 are equally long).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compare/comparison.h"
#include "framework/palette.h"

namespace compare {

// The colour of each column's bars: a palette whose colours stay apart for
// colour-blind eyes.
palette::Colour ColumnColour(int column);
// The table's colours for counted differences and for the rest.
constexpr palette::Colour kFasterColour = palette::Colour::FromRgb(0x0072B2);   // blue
constexpr palette::Colour kSlowerColour = palette::Colour::FromRgb(0xD55E00);   // orange
constexpr palette::Colour kNeutralColour = palette::Colour::FromRgb(0x808080);  // grey
// A machine cell unlike the baseline's.
constexpr palette::Colour kDifferingTint = palette::Colour::FromRgb(0xFFF2CC);

struct ChartRect {
    double left = 0, top = 0, right = 0, bottom = 0;
};

struct ChartBar {
    int test = 0;
    int column = 0;
    ChartRect bar;         // from the centre line to the ratio
    bool hollow = false;   // its difference does not count: outline only
    bool whisker = false;  // the record has a range: whisker from low to high
    double whiskerLeft = 0, whiskerRight = 0, whiskerY = 0;
};

struct ChartTick {
    double x = 0;
    std::string label;  // "×2", "×1", "÷2"
};

struct ChartGroupLabel {
    int test = 0;
    double y = 0;  // the middle of the group
};

struct ChartLayout {
    ChartRect plot;      // where the bars go
    double centreX = 0;  // the line at ×1
    int halfSpan = 1;    // log2 units from the centre to either edge
    std::vector<ChartTick> ticks;
    std::vector<ChartGroupLabel> groups;
    std::vector<ChartBar> bars;
};

// The chart of a comparison in a width x height area, its tests in order
// (see SortedTests), with labelWidth at the left for the test names and
// axisHeight at the top for the tick labels. Missing cells get no bar.
ChartLayout LayOutChart(const Comparison& comparison, const std::vector<int>& order, double width,
                        double height, double labelWidth, double axisHeight);

}  // namespace compare
