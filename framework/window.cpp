#include "framework/window.h"

#include "framework/text.h"

namespace fw {

std::wstring Window::Text() const {
    int n = GetWindowTextLengthW(hwnd_);
    if (n <= 0)
        return std::wstring();
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(hwnd_, &text[0], n + 1);
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
}

RECT Window::ItemRect(int id) const {
    RECT r{};
    HWND item = Item(id);
    if (item == nullptr)
        return r;
    GetWindowRect(item, &r);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT Window::ClientRect() const {
    RECT r{};
    GetClientRect(hwnd_, &r);
    return r;
}

void Window::AppendSystemMenuItem(UINT command, UINT textId) const {
    const std::wstring text = LoadResourceString(textId);
    HMENU systemMenu = GetSystemMenu(hwnd_, FALSE);
    if (systemMenu == nullptr || text.empty())
        return;
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, command, text.c_str());
}

}  // namespace fw
