#include "tools/compare/compare_input.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>

#include "compare/entry.h"
#include "records/ini_store.h"
#include "records/record_store.h"

namespace compare_tool {

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

namespace {

std::string TooLarge(const std::string& path) {
    return path + " is larger than a comparison reads: up to " +
           std::to_string(compare::kMaxSharedFileSize >> 20) + " MB and " +
           std::to_string(compare::kMaxSharedRecords) + " records a file";
}

}  // namespace

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
    // Files from other machines are held to the comparison window's limits:
    // refused by size before a byte is read, and by the records they hold
    // before any is listed.
    if (static_cast<uint64_t>(info.st_size) > compare::kMaxSharedFileSize) {
        error = TooLarge(path);
        return false;
    }
    auto store = std::make_unique<records::IniFile>(codec);
    store->LimitSections(compare::kMaxSharedSections);
    if (!store->Load(path)) {
        error = store->TooManySections()
                    ? TooLarge(path)
                    : "cannot read " + path + " (unreadable, or larger than the data file's limit)";
        return false;
    }
    std::vector<int32_t> numbers = records::StoredRecordNumbers(*store);
    if (numbers.size() > compare::kMaxSharedRecords) {
        error = TooLarge(path);
        return false;
    }
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
