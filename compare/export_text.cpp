#include "compare/export_text.h"

#include <cmath>
#include <cstdio>

namespace compare {

namespace {

const char kDash[] = "\xE2\x80\x94";  // —

}  // namespace

const char* MachineFieldName(MachineField field) {
    switch (field) {
        case MachineField::kProcessor:
            return "Processor";
        case MachineField::kClock:
            return "Clock";
        case MachineField::kWindows:
            return "Windows";
        case MachineField::kMemory:
            return "Memory";
        case MachineField::kVideo:
            return "Video card";
        case MachineField::kLoop:
            return "Loop count";
        case MachineField::kRounds:
            return "Rounds";
    }
    return "";
}

std::string MachineFieldText(const Entry& entry, MachineField field) {
    if (field == MachineField::kLoop)
        return std::to_string(entry.loop);
    return MachineText(entry, field);
}

std::string TestName(int test) {
    std::string name;
    GetTestName(test, name);
    return name;
}

std::string ColumnHeading(const Comparison& c, int column) {
    std::string heading = EntryLabel(c.entries[column]);
    if (column == c.baseline)
        heading += " (baseline)";
    return heading;
}

bool IsBestMark(const Comparison& c, int test, int column) {
    const std::vector<Cell>& row = c.cells[test];
    if (!(row[column].mark > 0))
        return false;
    const double mine = std::floor(row[column].mark);
    for (const Cell& cell : row)
        if (cell.mark > 0 && std::floor(cell.mark) > mine)
            return false;
    return true;
}

std::string SummaryHeading(const Comparison& c, SummaryRow row) {
    switch (row) {
        case SummaryRow::kTotalTime:
            return "Total time (s)";
        case SummaryRow::kGeometricMark:
            return "Geometric mean of marks (" + std::to_string(c.commonCount) + " of " +
                   std::to_string(bench::kTestCount) + " tests)";
        case SummaryRow::kGeometricRatio:
            return "Ratio of geometric means";
        case SummaryRow::kWinsTiesLosses:
            return "Wins / ties / losses";
    }
    return std::string();
}

std::string SummaryText(const Comparison& c, int column, SummaryRow row) {
    const ColumnSummary& s = c.summaries[column];
    if (row == SummaryRow::kWinsTiesLosses) {
        if (column == c.baseline)
            return kDash;
        return std::to_string(s.wins) + " / " + std::to_string(s.ties) + " / " +
               std::to_string(s.losses);
    }
    if (c.commonCount == 0)
        return kDash;
    if (row == SummaryRow::kGeometricMark)
        return MarkText(s.geometricMark);
    if (row == SummaryRow::kGeometricRatio)
        return FormatRatio(s.geometricRatio);
    char text[48];
    std::snprintf(text, sizeof text, "%.3f", s.totalTime);
    return text;
}

std::string BaselineSentence(const Comparison& c) {
    if (c.AgainstReference())
        return "Baseline: the reference machine. Each record is compared with the reference "
               "times of its own platform, so its ratio is its mark \xC3\xB7 1000.";  // ÷
    return "Baseline: " + EntryLabel(c.entries[c.baseline]) + ".";
}

std::string SingleRoundWarning() {
    return "n=1: a record timed once cannot tell a difference from noise. Run with more "
           "rounds: Options \xE2\x86\x92 rounds, or velkora-driver --rounds 5.";  // →
}

std::vector<std::string> LegendLines(const Comparison& c) {
    char percent[16];
    std::snprintf(percent, sizeof percent, "%.0f", kCountedDifference * 100);
    std::string rule = "A difference counts only when both records have at least " +
                       std::to_string(kCountedRounds) +
                       " rounds, their fastest\xE2\x80\x93slowest ranges do not overlap and the "
                       "ratio differs from 1 by at least " +
                       percent + " %.";  // –
    if (c.AgainstReference())
        rule +=
            " The reference times are exact: a record's range must not hold its test's "
            "reference time.";
    return {
        "Ratio = baseline time \xC3\xB7 this time: above \xC3\x97"
        "1 is faster.",  // ÷ ×
        rule,
        "\xE2\x96\xB2 faster, \xE2\x96\xBC slower (counted differences), \xE2\x89\x88 within "
        "the noise, n=1 = timed once, which cannot tell a difference from noise (run with more "
        "rounds: Options \xE2\x86\x92 rounds, or velkora-driver --rounds 5), \xE2\x80\x94 = no "
        "time, left out of every summary.",  // ▲ ▼ ≈ → —
        "The summaries cover the " + std::to_string(c.commonCount) + " of " +
            std::to_string(bench::kTestCount) + " tests that every record has a time for.",
    };
}

}  // namespace compare
