// The HTML export: one page that any browser shows as it is, with nothing
// to load and nothing to run: the baseline, the single-round warning when it
// applies, the table (machine rows, tests, summaries), the chart as inline
// SVG and the legend.
#include <cstdio>
#include <string>

#include "compare/chart_layout.h"
#include "compare/export_html.h"
#include "compare/export_text.h"
#include "compare/exports.h"

namespace compare {

namespace {

std::string Style() {
    return "<style>\n"
           "body { font-family: system-ui, \"Segoe UI\", Meiryo, \"Hiragino Sans\", "
           "\"Noto Sans CJK JP\", sans-serif; margin: 24px; color: #222; }\n"
           "table { border-collapse: collapse; margin: 16px 0; }\n"
           "th, td { border: 1px solid #ccc; padding: 3px 8px; text-align: left; "
           "vertical-align: top; }\n"
           "thead th { min-width: 9em; }\n"
           "tbody th, tbody.tests td, tbody.summary td { white-space: nowrap; }\n"
           "thead th { background: #eee; }\n"
           "tbody.machine th, tbody.summary th { font-weight: normal; font-style: italic; }\n"
           "tbody.tests td, tbody.summary td { text-align: right; }\n"
           "tbody + tbody { border-top: 2px solid #888; }\n"
           "td.differs { background: " +
           HtmlColour(kDifferingTint) +
           "; }\n"
           "td.faster { color: " +
           HtmlColour(kFasterColour) +
           "; }\n"
           "td.slower { color: " +
           HtmlColour(kSlowerColour) +
           "; }\n"
           "td.other { color: " +
           HtmlColour(kNeutralColour) +
           "; }\n"
           "td.best { font-weight: bold; }\n"
           "p.warning { border-left: 4px solid " +
           HtmlColour(kSlowerColour) +
           "; background: #fdf0e6; padding: 6px 10px; font-weight: bold; }\n"
           "svg.chart { max-width: 100%; height: auto; }\n"
           "</style>\n";
}

std::string TableCell(const char* tag, const std::string& cls, const std::string& text) {
    const std::string attribute = cls.empty() ? std::string() : " class=\"" + cls + "\"";
    return std::string("<") + tag + attribute + ">" + HtmlEscaped(text) + "</" + tag + ">";
}

std::string VerdictClass(Verdict verdict) {
    if (verdict == Verdict::kFaster)
        return "faster";
    if (verdict == Verdict::kSlower)
        return "slower";
    return "other";
}

std::string Table(const Comparison& c, const std::vector<int>& order) {
    const int columns = static_cast<int>(c.entries.size());
    std::string out = "<table>\n<thead><tr>" + TableCell("th", "", "Test");
    for (int col = 0; col < columns; ++col)
        out += TableCell("th", "", ColumnHeading(c, col));
    out += "</tr></thead>\n<tbody class=\"machine\">\n";
    for (int f = 0; f < kMachineFieldCount; ++f) {
        const auto field = static_cast<MachineField>(f);
        out += "<tr>" + TableCell("th", "", MachineFieldName(field));
        for (int col = 0; col < columns; ++col)
            out += TableCell("td", DiffersFromBaseline(c, col, field) ? "differs" : "",
                             MachineFieldText(c.entries[col], field));
        out += "</tr>\n";
    }
    out += "</tbody>\n<tbody class=\"tests\">\n";
    for (int test : order) {
        out += "<tr>" + TableCell("th", "", TestName(test));
        for (int col = 0; col < columns; ++col) {
            const Cell& cell = c.cells[test][col];
            std::string cls = VerdictClass(cell.verdict);
            if (IsBestMark(c, test, col))
                cls += " best";
            out += TableCell("td", cls, CellText(cell));
        }
        out += "</tr>\n";
    }
    out += "</tbody>\n<tbody class=\"summary\">\n";
    for (int r = 0; r < kSummaryRowCount; ++r) {
        const auto row = static_cast<SummaryRow>(r);
        out += "<tr>" + TableCell("th", "", SummaryHeading(c, row));
        for (int col = 0; col < columns; ++col)
            out += TableCell("td", "", SummaryText(c, col, row));
        out += "</tr>\n";
    }
    return out + "</tbody>\n</table>\n";
}

}  // namespace

std::string HtmlEscaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        switch (ch) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += ch;
        }
    }
    return out;
}

std::string HtmlColour(palette::Colour colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(colour.Rgb()));
    return text;
}

std::string ToHtml(const Comparison& c, const std::vector<int>& order) {
    std::string out =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<title>Velkora comparison</title>\n" +
        Style() + "</head>\n<body>\n<h1>Velkora comparison</h1>\n";
    out += "<p>" + HtmlEscaped(BaselineSentence(c)) + "</p>\n";
    if (c.HasSingleRound())
        out += "<p class=\"warning\">" + HtmlEscaped(SingleRoundWarning()) + "</p>\n";
    out += Table(c, order);
    out += "<ul class=\"legend\">\n";
    for (const std::string& line : LegendLines(c))
        out += "<li>" + HtmlEscaped(line) + "</li>\n";
    out +=
        "<li>Blue: a counted difference, faster; orange: slower; grey: not counted. Bold: "
        "the best mark of each test. A tinted machine cell differs from the baseline's.</li>\n"
        "</ul>\n";
    const std::string chart = ChartSvg(c, order);
    if (!chart.empty())
        out += "<h2>Speed against the baseline</h2>\n" + chart;
    return out + "</body>\n</html>\n";
}

}  // namespace compare
