// The Markdown export: a title, the baseline, the single-round warning when
// it applies, one pipe table (machine rows, tests, summaries) and the legend.
#include <string>

#include "compare/export_text.h"
#include "compare/exports.h"

namespace compare {

namespace {

// A cell's text as a table cell: a '|' would end the cell and a '\' before
// it would undo its escape; a line break would end the row.
std::string Escaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        if (ch == '|' || ch == '\\')
            out += '\\';
        out += ch == '\r' || ch == '\n' ? ' ' : ch;
    }
    return out;
}

void AppendRow(std::string& out, const std::string& heading,
               const std::vector<std::string>& cells) {
    out += "| " + Escaped(heading);
    for (const std::string& cell : cells)
        out += " | " + cell;
    out += " |\n";
}

}  // namespace

std::string ToMarkdown(const Comparison& c, const std::vector<int>& order) {
    const int columns = static_cast<int>(c.entries.size());
    std::string out = "# Velkora comparison\n\n" + Escaped(BaselineSentence(c)) + "\n\n";
    if (c.HasSingleRound())
        out += "**" + SingleRoundWarning() + "**\n\n";

    std::vector<std::string> cells(columns);
    for (int col = 0; col < columns; ++col)
        cells[col] = Escaped(ColumnHeading(c, col));
    AppendRow(out, "Test", cells);
    out += "| ---";
    for (int col = 0; col < columns; ++col)
        out += " | ---";
    out += " |\n";

    for (int f = 0; f < kMachineFieldCount; ++f) {
        const auto field = static_cast<MachineField>(f);
        for (int col = 0; col < columns; ++col)
            cells[col] = Escaped(MachineFieldText(c.entries[col], field));
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
        out += "- " + line + "\n";
    out += "- Bold: the best mark of each test.\n";
    return out;
}

}  // namespace compare
