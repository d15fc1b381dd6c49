// Reading velkora-compare's data files: each file's stored records as
// entries, with a clear reason when a file cannot be used.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "compare/comparison.h"

#include "records/ini_store.h"

namespace compare_tool {

// The base name of a path: what an entry's origin shows.
std::string BaseName(const std::string& path);

// A data file as read: its store and the numbers of its stored records.
// Records are loaded only once chosen (Entry), so that many large files
// cost little more than reading them.
struct DataFile {
    std::string origin;  // the base name
    std::unique_ptr<records::IniFile> store;
    std::vector<int32_t> numbers;

    // The i-th stored record (0-based) as an entry.
    compare::Entry Entry(size_t i, const fw::AnsiCodec& codec) const;
};

// Reads the data file at path. False with the reason (naming the file) when
// it is missing, unreadable, a folder, or holds no stored record.
bool ReadDataFile(const std::string& path, const fw::AnsiCodec& codec, DataFile& data,
                  std::string& error);

}  // namespace compare_tool
