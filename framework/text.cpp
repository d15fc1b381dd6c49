#include "framework/text.h"

#include "framework/clipboard.h"

namespace fw {

namespace {

std::wstring Widen(UINT codePage, const std::string& text) {
    if (text.empty())
        return std::wstring();
    int n =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

std::string Narrow(UINT codePage, const std::wstring& wide) {
    if (wide.empty())
        return std::string();
    int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string text(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &text[0], n,
                        nullptr, nullptr);
    return text;
}

}  // namespace

std::wstring WidenAnsi(const std::string& ansi) {
    return Widen(CP_ACP, ansi);
}

std::string NarrowAnsi(const std::wstring& wide) {
    return Narrow(CP_ACP, wide);
}

std::wstring WidenUtf8(const std::string& utf8) {
    return Widen(CP_UTF8, utf8);
}

std::string NarrowUtf8(const std::wstring& wide) {
    return Narrow(CP_UTF8, wide);
}

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
