// The POSIX side of whole-file reading and atomic replacement (native builds:
// tests, sanitizers and fuzzing).
#include "records/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace records {

namespace {

class ScopedFd {
  public:
    explicit ScopedFd(int fd) : fd_(fd) {}
    ~ScopedFd() { Close(); }
    ScopedFd(const ScopedFd&) = delete;
    ScopedFd& operator=(const ScopedFd&) = delete;
    int get() const { return fd_; }
    bool Close() {
        if (fd_ < 0)
            return true;
        int result = close(fd_);
        fd_ = -1;
        return result == 0;
    }

  private:
    int fd_;
};

bool WriteAll(int fd, const std::string& bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

mode_t CurrentUmask() {
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

ReadResult ReadWholeFile(const FilePath& path, std::string& bytes, size_t maxSize) {
    bytes.clear();
    if (path.empty())
        return ReadResult::kError;
    ScopedFd file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadResult::kMissing : ReadResult::kError;
    struct stat info;
    if (fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<unsigned long long>(info.st_size) > maxSize)
        return ReadResult::kError;
    bytes.resize(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = read(file.get(), &bytes[done], bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            bytes.clear();
            return ReadResult::kError;
        }
        if (n == 0)
            break;  // the file shrank while we read it
        done += static_cast<size_t>(n);
    }
    bytes.resize(done);
    return ReadResult::kOk;
}

bool ReplaceFileAtomically(const FilePath& path, const std::string& bytes) {
    if (path.empty())
        return false;
    // The new file keeps the permissions of the one it replaces.
    mode_t mode = 0666 & ~CurrentUmask();
    struct stat info;
    if (stat(path.c_str(), &info) == 0)
        mode = info.st_mode & 07777;

    // mkostemps creates the file exclusively (O_EXCL: never through a link)
    // under a name no other file has.
    std::string temporary = path + ".XXXXXX.tmp";
    ScopedFd file(mkostemps(&temporary[0], 4, O_CLOEXEC));
    if (file.get() < 0)
        return false;
    if (fchmod(file.get(), mode) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    bool ok = WriteAll(file.get(), bytes) && fsync(file.get()) == 0;
    ok = file.Close() && ok;
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        unlink(temporary.c_str());
        return false;
    }
    // The rename reaches the disk with the folder's own flush.
    ScopedFd folder(open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0)
        fsync(folder.get());
    return true;
}

bool IsSameFile(const FilePath& a, const FilePath& b) {
    struct stat first, second;
    return !a.empty() && !b.empty() && stat(a.c_str(), &first) == 0 &&
           stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

bool NamesSameFile(const FilePath& a, const FilePath& b) {
    return IsSameFile(a, b) || a == b;
}

}  // namespace records
