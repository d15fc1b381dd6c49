// The result set of a benchmark: twenty normalised times, the reference times
// in force and the run flags, with the scoring.
#pragma once

#include <cstdint>
#include <string>

#include "bench/catalogue.h"
#include "bench/rounds.h"

class CMarkResult {
  public:
    CMarkResult();

    // Column A for platform id 1 (the Windows 95/98 family), column B for
    // any other id.
    void SetReference(int platformId);

    // reference * 1000 / time, truncated; 0 for a time of exactly 0.
    int32_t GetMark(int index) const;
    // The same for another time of test index (a round's, say).
    int32_t GetMarkOf(int index, float seconds) const;
    double GetTotalTime() const;
    int32_t GetTotalMark() const;
    int32_t GetAverageMark() const;

    // Whether test index was timed in several rounds, and its spread.
    bool HasRange(int index) const { return m_nRounds[index] > 1; }

    float m_fTime[bench::kTestCount];   // normalised seconds; 0 = no result
    float m_fRef[bench::kTestCount];    // reference seconds in force
    int32_t m_nRun[bench::kTestCount];  // 1 = run in the next sequence
    // The rounds behind each time (1: a single timing) and the fastest and
    // slowest of them, normalised like the time.
    int32_t m_nRounds[bench::kTestCount];
    float m_fFastest[bench::kTestCount];
    float m_fSlowest[bench::kTestCount];
    // Each round's time in the order they ran, normalised like the time:
    // the first m_nRounds of a test timed in several rounds, zeros where the
    // record does not say.
    float m_fRoundTime[bench::kTestCount][bench::kMaxRounds];
};

namespace bench {

// The mark of a time against a reference time, before any truncation:
// reference * 1000 / seconds. The result list truncates it, the comparison
// keeps it whole.
inline double MarkOf(double referenceSeconds, double seconds) {
    return referenceSeconds * 1000.0 / seconds;
}

// The texts the result list and the total labels show.
std::string FormatTime(double seconds);  // "%.3f"
std::string FormatMark(int32_t mark);    // "%u"

}  // namespace bench
