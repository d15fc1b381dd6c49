// The CSV export (see exports.h for its rows): fields quoted as RFC 4180
// says and kept from reading as formulas (CsvField), lines ending CR LF,
// every figure in the shortest form that reads back as the same double.
#include <charconv>
#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "compare/export_escape.h"
#include "compare/export_text.h"
#include "compare/exports.h"

namespace compare {

namespace {

const char* const kHeader[] = {
    "test_index", "test",    "record",  "origin", "number", "baseline",  "loop",       "rounds",
    "time",       "fastest", "slowest", "mark",   "ratio",  "ratio_low", "ratio_high", "verdict",
};
constexpr int kFieldCount = sizeof kHeader / sizeof kHeader[0];

enum Field {
    kTestIndex,
    kTest,
    kRecord,
    kOrigin,
    kNumber,
    kBaseline,
    kLoop,
    kRounds,
    kTime,
    kFastest,
    kSlowest,
    kMark,
    kRatio,
    kRatioLow,
    kRatioHigh,
    kVerdict
};

using Row = std::vector<std::string>;

void AppendRow(std::string& out, const Row& row) {
    for (int f = 0; f < kFieldCount; ++f) {
        if (f > 0)
            out += ',';
        out += CsvField(row[f]);
    }
    out += "\r\n";
}

// Empty for 0, which stands for a missing figure, and for a value beyond
// the range of times (an infinity read from a file is no time either).
std::string Figure(double value) {
    if (value == 0 || !std::isfinite(value))
        return std::string();
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

const char* VerdictWord(Verdict verdict) {
    switch (verdict) {
        case Verdict::kMissing:
            return "missing";
        case Verdict::kNoBaseline:
            return "no-baseline-time";
        case Verdict::kBaseline:
            return "baseline";
        case Verdict::kSingleRound:
            return "single-round";
        case Verdict::kSame:
            return "same";
        case Verdict::kFaster:
            return "faster";
        case Verdict::kSlower:
            return "slower";
    }
    return "";
}

// The fields that name a record, the same on its every row.
Row RecordRow(const Comparison& c, int column) {
    const Entry& entry = c.entries[column];
    Row row(kFieldCount);
    row[kRecord] = EntryLabel(entry);
    row[kOrigin] = entry.origin;
    row[kNumber] = std::to_string(entry.number);
    row[kBaseline] = column == c.baseline ? "yes" : "no";
    row[kLoop] = std::to_string(entry.loop);
    return row;
}

}  // namespace

std::string ToCsv(const Comparison& c) {
    const int columns = static_cast<int>(c.entries.size());
    std::string out;
    AppendRow(out, Row(std::begin(kHeader), std::end(kHeader)));
    for (int test = 0; test < bench::kTestCount; ++test) {
        for (int col = 0; col < columns; ++col) {
            const Cell& cell = c.cells[test][col];
            Row row = RecordRow(c, col);
            row[kTestIndex] = std::to_string(test);
            row[kTest] = TestName(test);
            if (cell.verdict != Verdict::kMissing) {
                row[kRounds] = std::to_string(cell.timing.rounds);
                row[kTime] = Figure(cell.timing.time);
                row[kFastest] = Figure(cell.timing.fastest);
                row[kSlowest] = Figure(cell.timing.slowest);
                row[kMark] = Figure(cell.mark);
            }
            row[kRatio] = Figure(cell.ratio);
            row[kRatioLow] = Figure(cell.ratioLow);
            row[kRatioHigh] = Figure(cell.ratioHigh);
            row[kVerdict] = VerdictWord(cell.verdict);
            AppendRow(out, row);
        }
    }
    const std::string common = "Common tests: " + std::to_string(c.commonCount) + " of " +
                               std::to_string(bench::kTestCount);
    for (int col = 0; col < columns; ++col) {
        const ColumnSummary& s = c.summaries[col];
        Row row = RecordRow(c, col);
        row[kTest] = common;
        row[kRounds] = MachineFieldText(c.entries[col], MachineField::kRounds);
        row[kTime] = Figure(s.totalTime);
        row[kMark] = Figure(s.geometricMark);
        row[kRatio] = Figure(s.geometricRatio);
        AppendRow(out, row);
    }
    std::vector<std::string> notes = {BaselineSentence(c)};
    if (c.HasSingleRound())
        notes.push_back(SingleRoundWarning());
    for (const std::string& line : LegendLines(c))
        notes.push_back(line);
    for (const std::string& note : notes) {
        Row row(kFieldCount);
        row[kTest] = note;
        AppendRow(out, row);
    }
    return out;
}

}  // namespace compare
