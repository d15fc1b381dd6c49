// The pieces of the result data file that every record type and the main
// window share: section and key names, the options and their defaults, the
// file's path, the memo's line-break coding and the header text block.
//
// The file holds the options section "VelkoraDataFile" and, for each record
// n (0 = the running system, 1..N = stored records), three sections with the
// same number: system, processor and timing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bench/timing.h"
#include "framework/text_codec.h"
#include "records/file_path.h"

namespace records {

class IniFile;

constexpr char kOptionsSection[] = "VelkoraDataFile";
constexpr char kRecordCountKey[] = "VelkoraDataNum";
constexpr char kLoopKey[] = "VelkoraLoop";
constexpr char kGraphKey[] = "VelkoraGraph";
constexpr char kRoundsKey[] = "VelkoraRounds";

constexpr int32_t kDefaultRecordCount = 0;
constexpr int32_t kDefaultGraphMax = 3000;
constexpr int32_t kDefaultRounds = 1;

// "SystemInfo-DATA%03d", "InfoCPU-DATA%03d", "Velkora-DATA%03d": 000 to 999,
// then 1000 and up with all their digits.
std::string SystemSectionName(int record);
std::string ProcessorSectionName(int record);
std::string TimingSectionName(int record);

// The options as stored: the record count, the loop count, the graph
// maximum and the rounds of a run, each with its default when missing.
// Clamping is the caller's.
struct DataFileOptions {
    int32_t recordCount = kDefaultRecordCount;
    int32_t loop = bench::kDefaultLoop;
    int32_t graphMax = kDefaultGraphMax;
    int32_t rounds = kDefaultRounds;
};
DataFileOptions ReadOptions(const IniFile& file);
void WriteRecordCount(IniFile& file, int32_t count);  // "%d"
// The options dialog stores the texts of its boxes as they are; the rounds
// key comes after the others.
void WriteLoopAndGraph(IniFile& file, const std::string& loop, const std::string& graphMax);
void WriteRounds(IniFile& file, const std::string& rounds);

// The "SystemName" of each record 1..count that is there (PresentRecords),
// in order, with its number; one pass over the sections the file holds.
struct StoredName {
    int32_t number;
    std::string name;
    bool operator==(const StoredName& other) const {
        return number == other.number && name == other.name;
    }
};
std::vector<StoredName> ReadSystemNames(const IniFile& file, int32_t count);
// How many of the records 1..count that are there have a SystemName that starts with prefix
// (a byte comparison, so "P System(2)" counts for the prefix "P System").
int CountSystemNames(const IniFile& file, int32_t count, const std::string& prefix);

// The data file lies beside the executable, with its name and the extension
// "vlk": the text after the last dot of the file name is replaced
// (C:\Tools\bench.exe -> C:\Tools\bench.vlk); a name without a dot gets
// ".vlk" added. The path is the platform's own (UTF-16 on Windows), so no
// unit of a character can be taken for a separator or a dot.
FilePath DataFilePath(const FilePath& executablePath);

// An INI value holds one line, so the memo's CR LF pairs are stored as ":;".
// Both work in place and keep the length; a lone CR or LF is left alone, and
// so is a ":;" that the user typed, which therefore reads back as a line
// break.
void EncodeMemo(std::string& memo);
void DecodeMemo(std::string& memo);

// The first block of a record's clipboard text: a one-record options
// section.
constexpr char kHeaderText[] = "[VelkoraDataFile]\r\n\tVelkoraDataNum = 1\r\n\r\n";
void AppendHeaderText(std::string& text);

// A time read from the file as a 32-bit float: values beyond the float range
// become infinite instead of an undefined conversion.
float NarrowToFloat(double value);

}  // namespace records
