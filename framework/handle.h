// Owners of handles: a UniqueHandle frees its handle when it goes, through
// the Free of its traits; the GDI owners (gdi.h) and the kernel-handle owner
// below are the same template with their own traits, in the manner of an
// owning type beside a borrowing one (a raw handle borrows).
#pragma once

#include <windows.h>

#include <utility>

namespace fw {

// Traits: IsEmpty(handle) tells the values that hold nothing, Free(handle)
// releases a held handle and says whether that succeeded.
template <class H, class Traits>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(H handle) : handle_(handle) {}
    ~UniqueHandle() { Close(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    H Get() const { return handle_; }
    explicit operator bool() const { return !Traits::IsEmpty(handle_); }
    H Release() { return std::exchange(handle_, H{}); }
    void Reset(H handle = H{}) {
        Close();
        handle_ = handle;
    }
    // Frees the handle now; false only when freeing fails. An empty owner
    // closes successfully.
    bool Close() {
        const H handle = Release();
        return Traits::IsEmpty(handle) || Traits::Free(handle);
    }

  private:
    H handle_{};
};

// A kernel handle (file, thread, event, process, pipe end). The platform has
// two "no handle" values: CreateFile and its kin return INVALID_HANDLE_VALUE,
// the thread, event and process calls null. Both read as empty, so a failed
// creation needs no special case. CloseHandle failing on a written file can
// be the first report of a failed write: Close() passes it on.
struct KernelHandleTraits {
    static bool IsEmpty(HANDLE handle) {
        return handle == nullptr || handle == INVALID_HANDLE_VALUE;
    }
    static bool Free(HANDLE handle) { return CloseHandle(handle) != FALSE; }
};
using KernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;

}  // namespace fw
