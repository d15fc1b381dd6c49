// The result set of a benchmark: twenty normalised times, the reference times
// in force and the run flags, with the scoring.
#pragma once

#include <cstdint>
#include <string>

#include "bench/catalogue.h"

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
    double GetTotalTime() const;
    int32_t GetTotalMark() const;
    int32_t GetAverageMark() const;

    // The timing section "Velkora-DATA%03d" of record n in the data file held
    // by file: one key per test, named as GetTestName gives it, with the
    // time in seconds written "%f" and read with atof (a missing key reads
    // "0.0"). The caller loads the file once and saves it once per user
    // operation. All three return 1.
    int LoadRecord(const records::IniFile& file, int n);
    int SaveRecord(records::IniFile& file, int n) const;
    // Appends the record's text block: "[Velkora-DATA001]" and one
    // "\t<name> = %f" line per test, each ending CR LF.
    int AppendRecordText(std::string& text) const;

    float m_fTime[bench::kTestCount];   // normalised seconds; 0 = no result
    float m_fRef[bench::kTestCount];    // reference seconds in force
    int32_t m_nRun[bench::kTestCount];  // 1 = run in the next sequence
};

namespace bench {

// The texts the result list and the total labels show.
std::string FormatTime(double seconds);  // "%.3f"
std::string FormatMark(int32_t mark);    // "%u"

}  // namespace bench
