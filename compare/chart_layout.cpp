#include "compare/chart_layout.h"

#include <algorithm>
#include <cmath>

namespace compare {

namespace {

// Wide enough for the largest |log2 ratio| and its whisker, in whole
// doublings, at least one, at most six (×64) so that one wild record does
// not squash the rest: longer bars are cut at the edge.
int HalfSpan(const Comparison& c) {
    double widest = 1;
    for (const auto& row : c.cells)
        for (const Cell& cell : row)
            for (double r : {cell.ratio, cell.ratioLow, cell.ratioHigh})
                if (r > 0 && std::isfinite(r))
                    widest = std::max(widest, std::fabs(std::log2(r)));
    return static_cast<int>(std::min(6.0, std::ceil(widest - 1e-9)));
}

std::string TickLabel(int doublings) {
    if (doublings == 0)
        return "\xC3\x97"
               "1";                                                    // ×1
    const std::string sign = doublings > 0 ? "\xC3\x97" : "\xC3\xB7";  // × ÷
    return sign + std::to_string(1 << std::abs(doublings));
}

}  // namespace

palette::Colour ColumnColour(int column) {
    static const uint32_t kPalette[kMaxChosen] = {0x0072B2, 0xE69F00, 0x009E73, 0xCC79A7,
                                                  0x56B4E9, 0xD55E00, 0xF0E442, 0x000000};
    return palette::Colour::FromRgb(kPalette[static_cast<unsigned>(column) % kMaxChosen]);
}

ChartLayout LayOutChart(const Comparison& c, const std::vector<int>& order, double width,
                        double height, double labelWidth, double axisHeight) {
    ChartLayout layout;
    layout.plot = ChartRect{labelWidth, axisHeight, std::max(labelWidth + 1, width - 8),
                            std::max(axisHeight + 1, height - 4)};
    layout.halfSpan = HalfSpan(c);
    const double plotWidth = layout.plot.right - layout.plot.left;
    layout.centreX = layout.plot.left + plotWidth / 2;
    const double unit = plotWidth / 2 / layout.halfSpan;
    auto xOf = [&](double ratio) {
        const double doublings = std::log2(ratio);
        const double clamped =
            std::max<double>(-layout.halfSpan, std::min<double>(layout.halfSpan, doublings));
        return layout.centreX + clamped * unit;
    };
    for (int d = -layout.halfSpan; d <= layout.halfSpan; ++d)
        layout.ticks.push_back(ChartTick{layout.centreX + d * unit, TickLabel(d)});

    const int columns = static_cast<int>(c.entries.size());
    const int groups = static_cast<int>(order.size());
    if (columns == 0 || groups == 0)
        return layout;
    const double groupHeight = (layout.plot.bottom - layout.plot.top) / groups;
    // A gap of a third of a bar between groups keeps them apart.
    const double barHeight = groupHeight / (columns + 1.0 / 3);
    for (int g = 0; g < groups; ++g) {
        const int test = order[g];
        const double top = layout.plot.top + g * groupHeight + barHeight / 6;
        layout.groups.push_back(ChartGroupLabel{test, top + barHeight * columns / 2});
        for (int col = 0; col < columns; ++col) {
            const Cell& cell = c.cells[test][col];
            if (!(cell.ratio > 0))
                continue;
            ChartBar bar;
            bar.test = test;
            bar.column = col;
            const double x = xOf(cell.ratio);
            const double y = top + col * barHeight;
            bar.bar = ChartRect{std::min(x, layout.centreX), y, std::max(x, layout.centreX),
                                y + std::max(1.0, barHeight - 1)};
            bar.hollow = cell.verdict != Verdict::kFaster && cell.verdict != Verdict::kSlower &&
                         cell.verdict != Verdict::kBaseline;
            bar.whisker = cell.timing.rounds > 1 && cell.verdict != Verdict::kMissing;
            bar.whiskerLeft = xOf(cell.ratioLow);
            bar.whiskerRight = xOf(cell.ratioHigh);
            bar.whiskerY = (bar.bar.top + bar.bar.bottom) / 2;
            layout.bars.push_back(bar);
        }
    }
    return layout;
}

}  // namespace compare
