// Whole-file reading and atomic replacement, the two ways the data-file store
// touches the disk, and the identity of a file. One implementation per
// platform (atomic_file_win32.cpp, atomic_file_posix.cpp).
#pragma once

#include <cstddef>
#include <string>

#include "records/file_path.h"

namespace records {

enum class ReadResult {
    kOk,
    kMissing,  // neither the file nor possibly its folder exists
    kError,    // it exists but cannot be read, is a folder, or is too large
};

// Reads the whole file at path into bytes (cleared first). A file larger than
// maxSize is an error.
ReadResult ReadWholeFile(const FilePath& path, std::string& bytes, size_t maxSize);

// Writes bytes to a new temporary file beside path, flushes it to the disk
// and then moves it over path in one step, so that a crash or a full disk
// leaves either the old file or the new one, never a torn one. The
// temporary file has a fresh name ("<path>.<unique>.tmp") and is created
// exclusively, so a stale or read-only file, or a link, left at any name
// neither blocks the save nor is written through. On failure the temporary
// file is removed and path is left as it was. On Windows a read-only file
// at path is a failure.
bool ReplaceFileAtomically(const FilePath& path, const std::string& bytes);

// Whether the two paths name the same existing file, by its identity on the
// disk (volume and file index, device and inode), so another spelling of a
// path, a short 8.3 name or a link all count as the same file. False when
// either cannot be opened.
bool IsSameFile(const FilePath& a, const FilePath& b);

// IsSameFile, or, where either cannot be opened, whether the paths are
// spelled alike: on Windows a's full path against b, without regard to
// letter case; elsewhere the two as given.
bool NamesSameFile(const FilePath& a, const FilePath& b);

}  // namespace records
