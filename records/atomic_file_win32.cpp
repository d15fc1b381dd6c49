// The Win32 side of whole-file reading and atomic replacement.
#include "records/atomic_file.h"

#include <windows.h>

#include <cwchar>

#include "framework/handle.h"

namespace records {

namespace {

bool WriteAll(HANDLE h, const std::string& bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        DWORD chunk = left > 0x100000 ? 0x100000 : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(h, p, chunk, &written, nullptr) || written == 0)
            return false;
        p += written;
        left -= written;
    }
    return true;
}

}  // namespace

ReadResult ReadWholeFile(const FilePath& path, std::string& bytes, size_t maxSize) {
    bytes.clear();
    if (path.empty())
        return ReadResult::kError;
    fw::KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return ReadResult::kMissing;
        return ReadResult::kError;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > maxSize)
        return ReadResult::kError;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk =
            bytes.size() - done > 0x100000 ? 0x100000 : static_cast<DWORD>(bytes.size() - done);
        DWORD got = 0;
        if (!ReadFile(file.Get(), &bytes[done], chunk, &got, nullptr)) {
            bytes.clear();
            return ReadResult::kError;
        }
        if (got == 0)
            break;  // the file shrank while we read it
        done += got;
    }
    bytes.resize(done);
    return ReadResult::kOk;
}

namespace {

// A new file beside path under a name no file has yet: CREATE_NEW fails on
// any existing file or link, so nothing stale is reused or written through.
HANDLE CreateTemporaryFile(const FilePath& path, FilePath& temporary) {
    static LONG counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        wchar_t suffix[48];
        std::swprintf(suffix, 48, L".%lx%lx%lx.tmp",
                      static_cast<unsigned long>(GetCurrentProcessId()),
                      static_cast<unsigned long>(GetTickCount()),
                      static_cast<unsigned long>(InterlockedIncrement(&counter)));
        temporary = path + suffix;
        HANDLE h = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            return h;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS &&
            error != ERROR_ACCESS_DENIED)
            return INVALID_HANDLE_VALUE;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

bool ReplaceFileAtomically(const FilePath& path, const std::string& bytes) {
    if (path.empty())
        return false;
    const FilePath& target = path;
    FilePath temporary;
    // A read-only data file stays as it is, as it would for a write in
    // place (Wine's MoveFileEx would replace it regardless).
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;

    fw::KernelHandle file(CreateTemporaryFile(path, temporary));
    if (!file)
        return false;
    bool ok = WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get());
    ok = file.Close() && ok;
    // Write-through: the move itself reaches the disk before the call returns.
    ok = ok && MoveFileExW(temporary.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok)
        DeleteFileW(temporary.c_str());
    return ok;
}

namespace {

// The volume and index that identify an open file; false when the file
// cannot be opened. No access is asked for, so a file that another program
// holds open, or one this user may not read, still answers; the backup
// flag lets a folder answer too.
bool FileIdentity(const FilePath& path, BY_HANDLE_FILE_INFORMATION& info) {
    if (path.empty())
        return false;
    fw::KernelHandle file(CreateFileW(path.c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file && GetFileInformationByHandle(file.Get(), &info);
}

}  // namespace

bool IsSameFile(const FilePath& a, const FilePath& b) {
    BY_HANDLE_FILE_INFORMATION first, second;
    return FileIdentity(a, first) && FileIdentity(b, second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}

bool NamesSameFile(const FilePath& a, const FilePath& b) {
    if (IsSameFile(a, b))
        return true;
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(a.c_str(), MAX_PATH, full, nullptr);
    const FilePath compared = length > 0 && length < MAX_PATH ? full : a;
    return lstrcmpiW(compared.c_str(), b.c_str()) == 0;
}

}  // namespace records
