#include "framework/clipboard.h"

#include <cstring>

namespace fw {

namespace {

struct GlobalMemoryTraits {
    static bool IsEmpty(HGLOBAL memory) { return memory == nullptr; }
    static bool Free(HGLOBAL memory) { return GlobalFree(memory) == nullptr; }
};
using GlobalMemory = UniqueHandle<HGLOBAL, GlobalMemoryTraits>;

// Movable global memory holding a copy of size bytes; empty when none.
GlobalMemory CopyToGlobal(const void* data, size_t size) {
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
    void* bytes = memory ? GlobalLock(memory.Get()) : nullptr;
    if (bytes == nullptr)
        return GlobalMemory();
    std::memcpy(bytes, data, size);
    GlobalUnlock(memory.Get());
    return memory;
}

// The owner keeps the data unless the clipboard took it.
template <class Owner>
ClipboardResult Put(HWND owner, UINT format, Owner& data) {
    if (!OpenClipboard(owner))
        return ClipboardResult::kNotOpened;
    EmptyClipboard();
    const bool set = data && SetClipboardData(format, data.Get()) != nullptr;
    if (set)
        data.Release();
    const bool closed = CloseClipboard() != FALSE;
    return set && closed ? ClipboardResult::kSet : ClipboardResult::kNotSet;
}

}  // namespace

ClipboardResult PutUnicodeText(HWND owner, const std::wstring& text) {
    GlobalMemory memory = CopyToGlobal(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    return Put(owner, CF_UNICODETEXT, memory);
}

ClipboardResult PutAnsiText(HWND owner, const std::string& text) {
    GlobalMemory memory = CopyToGlobal(text.c_str(), text.size() + 1);
    return Put(owner, CF_TEXT, memory);
}

ClipboardResult PutBitmap(HWND owner, Bitmap bitmap) {
    return Put(owner, CF_BITMAP, bitmap);
}

}  // namespace fw
