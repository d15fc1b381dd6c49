// The records a comparison is chosen from: each as an Entry with its
// machine described in UTF-8 texts, whatever code page its file is in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "compare/comparison.h"

namespace fw {
class AnsiCodec;
}
namespace records {
class IniFile;
}

namespace compare {

// The loop count of every stored record: adding a record requires it.
constexpr int32_t kStoredRecordLoop = 10000;

// An entry for a loaded record. Its name and machine texts are taken from
// the record's ANSI texts through codec.
Entry MakeEntry(records::Record record, int32_t number, std::string origin, int32_t loop,
                const fw::AnsiCodec& codec);

// Stored record n as an entry of that origin.
Entry ReadStoredEntry(const records::IniFile& file, int32_t n, const std::string& origin,
                      const fw::AnsiCodec& codec);
// Every record the file holds (records::StoredRecordNumbers: a record
// missing inside the file is no machine to compare), as entries.
std::vector<Entry> ReadStoredEntries(const records::IniFile& file, const std::string& origin,
                                     const fw::AnsiCodec& codec);

// The largest data file from elsewhere a comparison reads, about 1700
// records as runs store them, and the most records it takes from one: a
// file of bare section headers holds far more records per byte, and
// listing them would keep the reader waiting. The program's own data file
// is not held to them.
constexpr uint64_t kMaxSharedFileSize = uint64_t{4} << 20;
constexpr size_t kMaxSharedRecords = 4000;
// Three sections a record and room for the file's own: reading stops at
// once beyond this many, so a file of bare headers costs nearly nothing.
constexpr size_t kMaxSharedSections = 4 * kMaxSharedRecords;

// A stored record as a list to choose from shows it, read without its
// times: what a row costs is its few texts.
struct Listing {
    int32_t number = 0;
    std::string name;       // SystemName, UTF-8
    std::string processor;  // as MachineText's kProcessor
    std::string windows;    // as MachineText's kWindows
};
// Every record the file holds, as listings; one pass over its sections.
std::vector<Listing> ListStoredRecords(const records::IniFile& file, const fw::AnsiCodec& codec);

// The rows that describe each machine above the tests.
enum class MachineField { kProcessor, kClock, kWindows, kMemory, kVideo, kLoop, kRounds };
constexpr int kMachineFieldCount = 7;

// The text of one field of an entry's machine, UTF-8.
const std::string& MachineText(const Entry& entry, MachineField field);
// Whether a column's field reads differently from the baseline's; never
// against the reference machine, which is not described.
bool DiffersFromBaseline(const Comparison& comparison, int column, MachineField field);

// "Windows XP (5.1.2600)  512MB Mem" as its Windows part and "512 MB".
void SplitPlatformLine(const std::string& line, std::string& windows, std::string& memory);

// "5" when every timed test has five rounds, "1–5" when they differ, "1"
// for none.
std::string RoundsText(const CMarkResult& timing);

// The short line an entry goes by in a list: "name (origin #n)".
std::string EntryLabel(const Entry& entry);

}  // namespace compare
