// What the main window's record commands compute, apart from their windows:
// the proposal for a new record, the texts the add/delete dialog shows and
// the user edits, and the clipboard text of a record.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "bench/timing.h"

class CCpuInfo;
class CMarkResult;
class CSysInfo;

namespace records {

class IniFile;

// Only results measured with the default loop count are stored, so that
// stored records compare with each other.
inline bool LoopCountAllowsAdding(int32_t loop) {
    return loop == bench::kDefaultLoop;
}

// The texts of a record that the add/delete dialog shows. The memo keeps
// its CR LF line breaks.
struct RecordForm {
    std::string systemName;  // registration name
    std::string userName;
    std::string pcName;  // computer name
    std::string memo;
    std::string date;
};

// "%Y.%m/%d.%H:%M", e.g. "2026.12/07.09:05"; empty for a time that cannot
// be formatted.
std::string FormatRecordDate(const std::tm& time);

// Whether two forms hold the same texts: a record found again by its
// number is the one the user saw only when its texts are the same.
bool SameRecordForm(const RecordForm& a, const RecordForm& b);

// The proposal for a new record made from record 0 (system0, processor0):
// the default name for its processor among the count stored records,
// record 0's user name, computer name and memo, and the date.
RecordForm NewRecordForm(const IniFile& file, int32_t count, const CSysInfo& system0,
                         const CCpuInfo& processor0, const std::tm& now);

// A stored record as it is shown before it is deleted.
RecordForm StoredRecordForm(const CSysInfo& system);

// The user's texts go into the system record saved as the new record; its
// video card, platform and settings stay.
void ApplyRecordForm(const RecordForm& form, CSysInfo& system);

// A record as clipboard text: a data file that holds it alone, as record 1
// (the header and the system, processor and timing blocks, in this order).
// Saved as a file and dropped on a window, it imports as one record.
std::string RecordClipboardText(const CSysInfo& system, const CCpuInfo& processor,
                                const CMarkResult& timing);

}  // namespace records
