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
    // Against the common reference, so a record of the other platform
    // family is neither favoured nor held back by its own reference times.
    const double mine = std::floor(CommonMark(c, test, column));
    if (!(mine > 0))
        return false;
    for (int other = 0; other < static_cast<int>(c.entries.size()); ++other)
        if (std::floor(CommonMark(c, test, other)) > mine)
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
        std::string text = std::to_string(s.wins) + " / " + std::to_string(s.ties) + " / " +
                           std::to_string(s.losses);
        // Tests timed once tell neither a win nor a tie: counted apart.
        if (s.undecided > 0)
            text += " (" + std::to_string(s.undecided) + " n=1)";
        return text;
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
    std::vector<std::string> lines = {
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
    if (c.MixesReferences())
        lines.push_back(
            "The records mix Windows 95-family and NT-family platforms, whose marks use "
            "different reference times: the best mark and the geometric mean of marks use the "
            "reference times of " +
            std::string(c.AgainstReference() ? "the first record's" : "the baseline's") +
            " platform for every record.");
    return lines;
}

}  // namespace compare
