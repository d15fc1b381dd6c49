// The result set of a benchmark: twenty normalised times, the reference times
// in force and the run flags, with the scoring.
#pragma once

#include <cstdint>
#include <string>

#include "bench/catalogue.h"
#include "bench/rounds.h"

namespace records {
class IniFile;
}

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

    // The timing section "Velkora-DATA%03d" of record n in the data file held
    // by file: one key per test, named as GetTestName gives it, with the
    // time in seconds written "%f" and read with atof (a missing key reads
    // "0.0"). The caller loads the file once and saves it once per user
    // operation. All three return 1.
    //
    // After those twenty keys, a test timed in several rounds has three more:
    // "<name> Rounds" ("%d"), "<name> Fastest" and "<name> Slowest" (the
    // fastest and slowest round, "%f" like the time, which is their median).
    // A single round writes none of them, so such a record reads and writes
    // as it always has, unless the section holds them from an earlier run,
    // which are then set to one round. A record without them, or with a
    // count below 2, has one round and no range. Last, "<name> Round Times"
    // lists every round's time in the order they ran ("%f" each, separated
    // by blanks), so a slower later round stays visible; a record without
    // it has no round times.
    int LoadRecord(const records::IniFile& file, int n);
    int SaveRecord(records::IniFile& file, int n) const;
    // Appends the record's text block: "[Velkora-DATA001]" and one
    // "\t<name> = %f" line per test, each ending CR LF.
    int AppendRecordText(std::string& text) const;

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

// The texts the result list and the total labels show.
std::string FormatTime(double seconds);  // "%.3f"
std::string FormatMark(int32_t mark);    // "%u"

}  // namespace bench
