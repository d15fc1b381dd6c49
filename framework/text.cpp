#include "framework/text.h"

#include "framework/clipboard.h"

namespace fw {

bool SetClipboardText(HWND owner, const std::wstring& text) {
    return PutUnicodeText(owner, text) == ClipboardResult::kSet;
}

std::wstring LoadResourceString(UINT id) {
    // With a zero buffer size LoadStringW hands back a pointer into the
    // resource itself, so no length limit applies.
    const wchar_t* text = nullptr;
    int n = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (n <= 0 || text == nullptr)
        return std::wstring();
    return std::wstring(text, static_cast<size_t>(n));
}

}  // namespace fw
