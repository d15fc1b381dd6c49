// Adding, deleting and importing records over the data file held in memory.
//
// Each operation changes the store only; the caller saves it once (one write
// per user operation) and, when the save fails, reverts the store and keeps
// its own count and selector as they were. The record count is written with
// every change, so a crash later never loses records from the count.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace records {

class IniFile;
struct Record;

// Stored records are 1..count. A count read from a file is trusted only as
// far as records are really there: it is cut to the highest record number
// up to the claim that has any of its three sections, and a negative count
// is 0. A record missing below that reads as empty defaults, so nothing
// after a gap is hidden, and later adds never overwrite it.
int32_t TrustedRecordCount(const IniFile& file, int32_t claimed);
// The record count of a file as read: its "VelkoraDataNum", trusted as above.
int32_t StoredRecordCount(const IniFile& file);

// The numbers from..to of the records that have any of their sections, in
// order: one pass over the section names the file holds, so a file that
// claims a huge count but holds few sections costs what it holds.
std::vector<int32_t> PresentRecords(const IniFile& file, int32_t from, int32_t to);
// The stored records really there: PresentRecords up to the file's claim.
// Its last is StoredRecordCount; a record missing inside the file (none of
// its sections there) is not among them.
std::vector<int32_t> StoredRecordNumbers(const IniFile& file);

// The name a new record is proposed under: the processor summary and
// " System", with "(d + 1)" when d stored names already begin with that.
std::string DefaultRecordName(const IniFile& file, int32_t count, const std::string& summary);

// Saves the record as record count + 1 and writes the new count. The count
// is the file's own (StoredRecordCount), read for this very operation.
int32_t AddRecord(IniFile& file, int32_t count, const Record& record);

// Moves records k + 1..count down by one (each section copied whole, line
// for line, whatever keys and lengths it holds) and writes the new count. A
// missing record moves down as a gap: the one below loses its sections, so
// nothing is written that was not there. The highest record's old sections
// are removed, so nothing of the deleted record, nor a second copy of a
// moved one, stays in the file. The work is in the records present
// above k, whatever gaps lie between them. Returns the new count (below
// count - 1 when records missing at the end of the file are left out with
// the deleted one); nothing changes for k outside 1..count.
int32_t DeleteRecord(IniFile& file, int32_t count, int32_t k);

// Appends the records of another data file that are really there (any of
// their three sections), up to what that file claims, as count + 1.. in
// their order and without its gaps, and writes the new count. Each record
// brings the sections it has, each copied whole, line for line (in this
// file's encoding); a section it lacks reads as defaults, as it did in that
// file. Returns the
// SystemName of each record appended, in order.
std::vector<std::string> ImportRecords(const IniFile& source, IniFile& file, int32_t& count);

}  // namespace records
