// The comparison chart as inline SVG, drawn from LayOutChart's geometry so
// that it matches the window's chart.
#include <algorithm>
#include <cstdio>
#include <string>

#include "compare/chart_layout.h"
#include "compare/export_html.h"
#include "compare/export_text.h"

namespace compare {

namespace {

constexpr double kWidth = 960;
constexpr double kLabelWidth = 200;  // the test names, right-aligned before it
constexpr double kAxisHeight = 28;   // the tick labels
constexpr double kRightMargin = 24;  // half the widest tick label beyond the plot
constexpr double kKeyLine = 18;
constexpr char kInk[] = "#333333";
constexpr char kGrid[] = "#d0d0d0";
constexpr char kBand[] = "#f3f3f3";

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

std::string Line(double x1, double y1, double x2, double y2, const char* colour, double width) {
    return "<line x1=\"" + Number(x1) + "\" y1=\"" + Number(y1) + "\" x2=\"" + Number(x2) +
           "\" y2=\"" + Number(y2) + "\" stroke=\"" + colour + "\" stroke-width=\"" +
           Number(width) + "\"/>\n";
}

std::string Text(double x, double y, const char* anchor, const std::string& text) {
    return "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" text-anchor=\"" + anchor +
           "\" dominant-baseline=\"middle\">" + HtmlEscaped(text) + "</text>\n";
}

// A bar; a hollow one is an outline drawn inside its rectangle. A bar at
// exactly ×1 keeps a hairline, so that it does not read as a missing time.
std::string Bar(const ChartBar& bar, const std::string& colour, const std::string& title) {
    const double inset = bar.hollow ? 0.75 : 0;
    const double width = std::max(1.0, bar.bar.right - bar.bar.left - 2 * inset);
    const double height = std::max(1.0, bar.bar.bottom - bar.bar.top - 2 * inset);
    std::string paint = bar.hollow ? "fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"1.5\""
                                   : "fill=\"" + colour + "\"";
    return "<rect x=\"" + Number(bar.bar.left + inset) + "\" y=\"" + Number(bar.bar.top + inset) +
           "\" width=\"" + Number(width) + "\" height=\"" + Number(height) + "\" " + paint +
           "><title>" + HtmlEscaped(title) + "</title></rect>\n";
}

std::string Whisker(const ChartBar& bar) {
    const double tick = std::min(6.0, std::max(2.0, (bar.bar.bottom - bar.bar.top) * 0.7)) / 2;
    const double y = bar.whiskerY;
    return Line(bar.whiskerLeft, y, bar.whiskerRight, y, kInk, 1) +
           Line(bar.whiskerLeft, y - tick, bar.whiskerLeft, y + tick, kInk, 1) +
           Line(bar.whiskerRight, y - tick, bar.whiskerRight, y + tick, kInk, 1);
}

std::string Key(const Comparison& c, double top) {
    std::string out;
    const double x = kLabelWidth;
    const int columns = static_cast<int>(c.entries.size());
    for (int col = 0; col < columns; ++col) {
        const double y = top + col * kKeyLine;
        out += "<rect x=\"" + Number(x) + "\" y=\"" + Number(y - 6) +
               "\" width=\"12\" height=\"12\" fill=\"" + HtmlColour(ColumnColour(col)) + "\"/>\n";
        // The baseline's bars are the line at ×1 itself.
        const std::string where = col == c.baseline ? ": the line at \xC3\x97\x31" : "";
        out += Text(x + 18, y, "start", ColumnHeading(c, col) + where);
    }
    const double y = top + columns * kKeyLine;
    out += "<rect x=\"" + Number(x + 0.75) + "\" y=\"" + Number(y - 5.25) +
           "\" width=\"10.5\" height=\"10.5\" fill=\"none\" stroke=\"" + kInk +
           "\" stroke-width=\"1.5\"/>\n";
    out += Text(x + 18, y, "start", "outline: within the noise, or timed once");
    const double w = x + 300;
    out += Line(w, y, w + 16, y, kInk, 1) + Line(w, y - 3, w, y + 3, kInk, 1) +
           Line(w + 16, y - 3, w + 16, y + 3, kInk, 1);
    out += Text(w + 22, y, "start", "whisker: from the slowest to the fastest round");
    return out;
}

}  // namespace

std::string ChartSvg(const Comparison& c, const std::vector<int>& order) {
    const int columns = static_cast<int>(c.entries.size());
    const int groups = static_cast<int>(order.size());
    if (columns == 0 || groups == 0)
        return std::string();
    const double barHeight = std::clamp(36.0 / columns, 6.0, 14.0);
    const double chartHeight = kAxisHeight + groups * (columns + 1.0 / 3) * barHeight + 4;
    const double height = chartHeight + 16 + (columns + 1) * kKeyLine;
    const ChartLayout layout =
        LayOutChart(c, order, kWidth - kRightMargin, chartHeight, kLabelWidth, kAxisHeight);
    const ChartRect& plot = layout.plot;

    std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"chart\" width=\"" +
                      Number(kWidth) + "\" height=\"" + Number(height) + "\" viewBox=\"0 0 " +
                      Number(kWidth) + " " + Number(height) +
                      "\" font-family=\"sans-serif\" font-size=\"12\" fill=\"" + kInk +
                      "\" role=\"img\" aria-label=\"Speed against the baseline, per test\">\n";
    const double groupHeight = (plot.bottom - plot.top) / groups;
    for (int g = 1; g < groups; g += 2)
        out += "<rect x=\"0\" y=\"" + Number(plot.top + g * groupHeight) + "\" width=\"" +
               Number(plot.right) + "\" height=\"" + Number(groupHeight) + "\" fill=\"" + kBand +
               "\"/>\n";
    for (const ChartTick& tick : layout.ticks) {
        out += Line(tick.x, plot.top, tick.x, plot.bottom, kGrid, 1);
        out += Text(tick.x, kAxisHeight / 2, "middle", tick.label);
    }
    for (const ChartBar& bar : layout.bars) {
        const std::string title = ColumnHeading(c, bar.column) + " \xC2\xB7 " + TestName(bar.test) +
                                  ": " + CellText(c.cells[bar.test][bar.column]);  // ·
        out += Bar(bar, HtmlColour(ColumnColour(bar.column)), title);
    }
    for (const ChartBar& bar : layout.bars)
        if (bar.whisker)
            out += Whisker(bar);
    out += "<line class=\"centre\" x1=\"" + Number(layout.centreX) + "\" y1=\"" +
           Number(plot.top - 4) + "\" x2=\"" + Number(layout.centreX) + "\" y2=\"" +
           Number(plot.bottom) + "\" stroke=\"" + kInk + "\" stroke-width=\"1.5\"/>\n";
    for (const ChartGroupLabel& group : layout.groups)
        out += Text(kLabelWidth - 8, group.y, "end", TestName(group.test));
    out += Key(c, chartHeight + 16 + kKeyLine / 2);
    return out + "</svg>\n";
}

}  // namespace compare
