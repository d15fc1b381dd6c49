// Reading velkora-compare's data files: each file's stored records as
// entries, with a clear reason when a file cannot be used.
#pragma once

#include <string>
#include <vector>

#include "compare/comparison.h"

namespace records {
class AnsiCodec;
}

namespace compare_tool {

// The base name of a path: what an entry's origin shows.
std::string BaseName(const std::string& path);

// Appends the stored records of the data file at path to entries, their
// origin its base name. False with the reason (naming the file) when it is
// missing, unreadable, a folder, or holds no stored record.
bool ReadDataFile(const std::string& path, const records::AnsiCodec& codec,
                  std::vector<compare::Entry>& entries, std::string& error);

// Whether two paths name the same existing file.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace compare_tool
