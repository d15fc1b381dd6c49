#include "compare/comparison.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

#include "bench/mark_result.h"

namespace compare {

namespace {

bool HasTime(double seconds) {
    return std::isfinite(seconds) && seconds > 0;
}

// The reference time of a test for the platform a record was run on: the
// record's own reference column, as its marks use it.
Timing ReferenceTiming(const CMarkResult& result, int test) {
    const double time = result.m_fRef[test];
    return Timing{time, time, time, kExactRounds};
}

Cell MakeCell(const Timing& base, const Timing& x, double reference, bool isBaseline) {
    Cell cell;
    cell.timing = x;
    if (!HasTime(x.time))
        return cell;
    cell.mark = bench::MarkOf(reference, x.time);
    if (!HasTime(base.time)) {
        cell.verdict = Verdict::kNoBaseline;
        return cell;
    }
    cell.ratio = base.time / x.time;
    cell.ratioLow = base.time / x.slowest;
    cell.ratioHigh = base.time / x.fastest;
    if (isBaseline)
        cell.verdict = Verdict::kBaseline;
    else if (x.rounds < 2 || base.rounds < 2)
        cell.verdict = Verdict::kSingleRound;  // one timing tells no difference from noise
    else if (!DifferenceCounts(base, x))
        cell.verdict = Verdict::kSame;
    else
        cell.verdict = cell.ratio > 1 ? Verdict::kFaster : Verdict::kSlower;
    return cell;
}

}  // namespace

Timing TimingOf(const CMarkResult& result, int test) {
    Timing timing;
    timing.time = result.m_fTime[test];
    timing.rounds = result.m_nRounds[test] > 1 ? result.m_nRounds[test] : 1;
    const bool range = result.HasRange(test) && HasTime(result.m_fFastest[test]) &&
                       HasTime(result.m_fSlowest[test]);
    timing.fastest = range ? result.m_fFastest[test] : timing.time;
    timing.slowest = range ? result.m_fSlowest[test] : timing.time;
    if (!range)
        timing.rounds = 1;
    // A range always holds its median, whatever an edited file says: a
    // wider range only counts fewer differences.
    // Made from the three values as read, so a range written the wrong way
    // round is the same range.
    const double fastest = timing.fastest, slowest = timing.slowest;
    timing.fastest = std::min({fastest, slowest, timing.time});
    timing.slowest = std::max({fastest, slowest, timing.time});
    return timing;
}

bool DifferenceCounts(const Timing& base, const Timing& x) {
    if (base.rounds < kCountedRounds || x.rounds < kCountedRounds)
        return false;
    if (!HasTime(base.time) || !HasTime(x.time))
        return false;
    const bool apart = x.slowest < base.fastest || base.slowest < x.fastest;
    // Times are kept as floats (about seven digits), so a ratio written as
    // 1.03 may come out a few parts in 1e8 below it: the edge allows for
    // that and no more.
    const double difference = std::fabs(base.time / x.time - 1);
    return apart && difference >= kCountedDifference - 1e-6;
}

double CommonMark(const Comparison& c, int test, int column) {
    const double time = c.cells[test][column].timing.time;
    if (!HasTime(time))
        return 0;
    const int common = c.AgainstReference() ? 0 : c.baseline;
    return c.entries[common].record.timing.m_fRef[test] * 1000.0 / time;
}

bool Comparison::MixesReferences() const {
    for (const Entry& e : entries)
        if ((e.record.system.PlatformID == 1) != (entries[0].record.system.PlatformID == 1))
            return true;
    return false;
}

bool Comparison::HasSingleRound() const {
    for (const auto& row : cells)
        for (const Cell& cell : row)
            if (cell.verdict == Verdict::kSingleRound ||
                (cell.verdict == Verdict::kBaseline && cell.timing.rounds < 2))
                return true;
    return false;
}

Comparison Compare(std::vector<Entry> entries, int baseline) {
    Comparison c;
    c.entries = std::move(entries);
    const int columns = static_cast<int>(c.entries.size());
    c.baseline = baseline >= 0 && baseline < columns ? baseline : kReferenceBaseline;
    for (Entry& e : c.entries)
        e.record.timing.SetReference(e.record.system.PlatformID);

    c.cells.assign(bench::kTestCount, std::vector<Cell>(columns));
    for (int t = 0; t < bench::kTestCount; ++t) {
        bool everyone = columns > 0;
        for (int col = 0; col < columns; ++col) {
            const CMarkResult& result = c.entries[col].record.timing;
            const Timing base = c.AgainstReference()
                                    ? ReferenceTiming(result, t)
                                    : TimingOf(c.entries[c.baseline].record.timing, t);
            c.cells[t][col] =
                MakeCell(base, TimingOf(result, t), result.m_fRef[t], col == c.baseline);
            everyone = everyone && HasTime(c.cells[t][col].timing.time) && HasTime(base.time) &&
                       c.cells[t][col].mark > 0;
        }
        c.common[t] = everyone;
        c.commonCount += everyone ? 1 : 0;
    }

    c.summaries.assign(columns, ColumnSummary{});
    for (int col = 0; col < columns; ++col) {
        ColumnSummary& s = c.summaries[col];
        double logMarks = 0, logRatios = 0;
        for (int t = 0; t < bench::kTestCount; ++t) {
            if (!c.common[t])
                continue;
            const Cell& cell = c.cells[t][col];
            s.totalTime += cell.timing.time;
            logMarks += std::log(CommonMark(c, t, col));
            logRatios += std::log(cell.ratio);
            if (col == c.baseline)
                continue;
            if (cell.verdict == Verdict::kFaster)
                ++s.wins;
            else if (cell.verdict == Verdict::kSlower)
                ++s.losses;
            else if (cell.verdict == Verdict::kSame)
                ++s.ties;
            else
                ++s.undecided;  // timed once: cannot tell
        }
        if (c.commonCount > 0) {
            s.geometricMark = std::exp(logMarks / c.commonCount);
            s.geometricRatio = std::exp(logRatios / c.commonCount);
        }
    }
    return c;
}

std::vector<int> SortedTests(const Comparison& comparison, int column) {
    std::vector<int> order(bench::kTestCount);
    std::iota(order.begin(), order.end(), 0);
    if (column < 0 || column >= static_cast<int>(comparison.entries.size()))
        return order;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const double ra = comparison.cells[a][column].ratio;
        const double rb = comparison.cells[b][column].ratio;
        return ra > rb;  // a missing ratio is 0: last
    });
    return order;
}

std::string FormatRatio(double ratio) {
    char text[48];
    std::snprintf(text, sizeof text, ratio < 1000 ? "\xC3\x97%.2f" : "\xC3\x97%.2g", ratio);  // ×
    return text;
}

std::string Marker(Verdict verdict) {
    switch (verdict) {
        case Verdict::kFaster:
            return "\xE2\x96\xB2";  // ▲
        case Verdict::kSlower:
            return "\xE2\x96\xBC";  // ▼
        case Verdict::kSame:
            return "\xE2\x89\x88";  // ≈
        case Verdict::kSingleRound:
            return "n=1";
        case Verdict::kBaseline:
        case Verdict::kMissing:
        case Verdict::kNoBaseline:
            break;
    }
    return std::string();
}

std::string MarkText(double mark) {
    char text[48];
    std::snprintf(text, sizeof text, "%.0f", std::floor(std::min(mark, 1e15)));
    return text;
}

std::string CellText(const Cell& cell) {
    if (!HasTime(cell.timing.time))
        return "\xE2\x80\x94";  // —
    std::string text = MarkText(cell.mark);
    if (cell.ratio > 0)
        text += " " + FormatRatio(cell.ratio);
    const std::string marker = cell.verdict == Verdict::kBaseline && cell.timing.rounds < 2
                                   ? std::string("n=1")
                                   : Marker(cell.verdict);
    if (!marker.empty())
        text += " " + marker;
    return text;
}

}  // namespace compare
