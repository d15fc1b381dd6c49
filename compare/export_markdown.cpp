// The Markdown export: a title, the baseline, the single-round warning when
// it applies, one pipe table (machine rows, tests, summaries) and the legend.
#include <string>

#include "compare/export_escape.h"
#include "compare/export_text.h"
#include "compare/exports.h"

namespace compare {

namespace {

void AppendRow(std::string& out, const std::string& heading,
               const std::vector<std::string>& cells) {
    out += "| " + MarkdownText(heading);
    for (const std::string& cell : cells)
        out += " | " + MarkdownText(cell);
    out += " |\n";
}

}  // namespace

std::string ToMarkdown(const Comparison& c, const std::vector<int>& order) {
    const int columns = static_cast<int>(c.entries.size());
    std::string out = "# Velkora comparison\n\n" + MarkdownText(BaselineSentence(c)) + "\n\n";
    if (c.HasSingleRound())
        out += "**" + MarkdownText(SingleRoundWarning()) + "**\n\n";

    std::vector<std::string> cells(columns);
    for (int col = 0; col < columns; ++col)
        cells[col] = ColumnHeading(c, col);
    AppendRow(out, "Test", cells);
    out += "| ---";
    for (int col = 0; col < columns; ++col)
        out += " | ---";
    out += " |\n";

    for (int f = 0; f < kMachineFieldCount; ++f) {
        const auto field = static_cast<MachineField>(f);
        for (int col = 0; col < columns; ++col)
            cells[col] = MachineFieldText(c.entries[col], field);
        AppendRow(out, MachineFieldName(field), cells);
    }
    for (int test : order) {
        for (int col = 0; col < columns; ++col) {
            const std::string text = CellText(c.cells[test][col]);
            cells[col] = IsBestMark(c, test, col) ? "**" + text + "**" : text;
        }
        AppendRow(out, TestName(test), cells);
    }
    for (int r = 0; r < kSummaryRowCount; ++r) {
        const auto row = static_cast<SummaryRow>(r);
        for (int col = 0; col < columns; ++col)
            cells[col] = SummaryText(c, col, row);
        AppendRow(out, SummaryHeading(c, row), cells);
    }

    out += "\n";
    for (const std::string& line : LegendLines(c))
        out += "- " + MarkdownText(line) + "\n";
    out += "- Bold: the best mark of each test.\n";
    return out;
}

}  // namespace compare
