#include "tools/compare/compare_input.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "compare/entry.h"
#include "records/ini_store.h"
#include "records/record_store.h"

namespace compare_tool {

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

compare::Entry DataFile::Entry(size_t i, const fw::AnsiCodec& codec) const {
    return compare::ReadStoredEntry(*store, numbers[i], origin, codec);
}

bool ReadDataFile(const std::string& path, const fw::AnsiCodec& codec, DataFile& data,
                  std::string& error) {
    // The store reads a missing file as an empty one (the program's first
    // save creates it); here that is a mistake to report.
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        error = path + " is a folder, not a data file";
        return false;
    }
    auto store = std::make_unique<records::IniFile>(codec);
    if (!store->Load(path)) {
        error = "cannot read " + path + " (unreadable, or larger than the data file's limit)";
        return false;
    }
    std::vector<int32_t> numbers = records::StoredRecordNumbers(*store);
    if (numbers.empty()) {
        error = path + " holds no stored records";
        return false;
    }
    data.origin = BaseName(path);
    data.store = std::move(store);
    data.numbers = std::move(numbers);
    return true;
}

}  // namespace compare_tool
