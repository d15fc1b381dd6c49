// Whole-file reading and atomic replacement, the two ways the data-file store
// touches the disk. Paths are in the ANSI code page, as the program holds
// them. One implementation per platform (atomic_file_win32.cpp,
// atomic_file_posix.cpp).
#pragma once

#include <cstddef>
#include <string>

namespace records {

enum class ReadResult {
    kOk,
    kMissing,  // neither the file nor possibly its folder exists
    kError,    // it exists but cannot be read, is a folder, or is too large
};

// Reads the whole file at path into bytes (cleared first). A file larger than
// maxSize is an error.
ReadResult ReadWholeFile(const std::string& path, std::string& bytes, size_t maxSize);

// Writes bytes to a new temporary file beside path, flushes it to the disk
// and then moves it over path in one step, so that a crash or a full disk
// leaves either the old file or the new one, never a torn one. The
// temporary file has a fresh name ("<path>.<unique>.tmp") and is created
// exclusively, so a stale or read-only file, or a link, left at any name
// neither blocks the save nor is written through. On failure the temporary
// file is removed and path is left as it was. On Windows a read-only file
// at path is a failure.
bool ReplaceFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace records
