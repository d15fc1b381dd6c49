// Records side by side: each test's speed against a baseline, which
// differences exceed the noise, and the summaries over the tests every
// record has. All texts are UTF-8.
//
// The speed ratio of a record against the baseline is baseline time / its
// time, so above 1 is always faster. The baseline is one of the records or
// the built-in reference machine (each record against the reference column
// its own platform selects, which makes the ratio its mark / 1000).
//
// A difference counts only when it exceeds the noise: both timings have at
// least three rounds, their fastest-slowest ranges do not overlap (touching
// ranges overlap) and the ratio differs from 1 by at least 3 %. The
// reference is exact: against it a record's range must not hold the
// reference time. A record timed once is never counted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bench/catalogue.h"
#include "records/record.h"

namespace compare {

constexpr int kMaxChosen = 8;
constexpr int32_t kCountedRounds = 3;
constexpr double kCountedDifference = 0.03;
// The baseline index that stands for the built-in reference machine.
constexpr int kReferenceBaseline = -1;

// One record as chosen: where it comes from and what it holds.
struct Entry {
    std::string name;    // its SystemName, UTF-8
    std::string origin;  // the data file's name for records of another file, else ""
    int32_t number = 0;  // its record number in that file (0 = the running system)
    int32_t loop = 0;    // the loop count its times were taken with
    records::Record record;
    // Its machine as MachineText gives it (see entry.h), one text per field.
    std::vector<std::string> machine;
};

// One test's timing as the noise rule sees it: the median time and the
// range of its rounds (fastest = slowest = time for a single timing).
struct Timing {
    double time = 0;
    double fastest = 0;
    double slowest = 0;
    int32_t rounds = 0;  // kExactRounds for the reference
};
constexpr int32_t kExactRounds = 1 << 30;
Timing TimingOf(const CMarkResult& result, int test);

// Whether the difference of x against base counts (see above).
bool DifferenceCounts(const Timing& base, const Timing& x);

enum class Verdict {
    kMissing,      // no time: "—", left out of every summary
    kNoBaseline,   // a time, but the baseline has none: a mark without a ratio
    kBaseline,     // the baseline's own column
    kSingleRound,  // timed once (or the baseline was): "n=1", never counted
    kSame,         // within the noise: "≈"
    kFaster,       // counted, ratio above 1: "▲"
    kSlower,       // counted, ratio below 1: "▼"
};

struct Cell {
    Verdict verdict = Verdict::kMissing;
    Timing timing;
    double mark = 0;   // reference * 1000 / time, unrounded
    double ratio = 0;  // baseline time / time; 0 when either is missing
    // The ratio at the record's slowest and fastest round (the whisker).
    double ratioLow = 0;
    double ratioHigh = 0;
};

struct ColumnSummary {
    double totalTime = 0;  // over the common tests
    // Geometric mean of the marks over them, every column's against the
    // same reference times (the baseline's platform, or the first record's
    // against the reference machine), so the columns compare like with like.
    double geometricMark = 0;
    double geometricRatio = 0;  // geometric mean of the ratios: baseline speed = 1
    // Counted differences and those within the noise; undecided are the
    // tests timed once (by either side), which tell neither.
    int wins = 0, ties = 0, losses = 0, undecided = 0;
};

struct Comparison {
    std::vector<Entry> entries;  // the columns, in the order chosen
    int baseline = kReferenceBaseline;
    // cells[test][column]
    std::vector<std::vector<Cell>> cells;
    // Tests every record (and the baseline) has a time for.
    bool common[bench::kTestCount] = {};
    int commonCount = 0;
    std::vector<ColumnSummary> summaries;

    bool AgainstReference() const { return baseline == kReferenceBaseline; }
    // Whether a record timed once is among the columns (the legend says so).
    bool HasSingleRound() const;
    // Whether records of both platform families are among the columns: their
    // marks use different reference times and do not compare.
    bool MixesReferences() const;
};

// The comparison of the entries against entries[baseline], or against the
// reference for kReferenceBaseline (a baseline out of range is taken as
// the reference).
Comparison Compare(std::vector<Entry> entries, int baseline);

// A column's mark of a test against the reference times every column is
// compared with: those of the baseline's platform, or of the first record's
// against the reference machine. The same as the cell's own mark unless
// the columns mix platform families (whose marks use other references);
// 0 without a time.
double CommonMark(const Comparison& comparison, int test, int column);

// The tests in the order a column sorts them: fastest ratio first, missing
// ones last, ties in catalogue order. Column -1 is the catalogue order.
std::vector<int> SortedTests(const Comparison& comparison, int column);

// The texts the table and the exports share.
std::string FormatRatio(double ratio);  // "×1.37"; "×6.8e+44" beyond ×1000
// "▲", "▼", "≈" or "n=1"; "" for the baseline and a missing time.
std::string Marker(Verdict verdict);
// The mark truncated to a whole number, as the main window shows marks.
std::string MarkText(double mark);
// "1234 ×1.37 ▲"; "—" for a missing time; the baseline's own cell is
// "1234 ×1.00", with " n=1" when it was timed once.
std::string CellText(const Cell& cell);

}  // namespace compare
