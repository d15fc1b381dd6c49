// A borrowed window handle with one-line helpers. It never owns the window.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

class Window {
  public:
    Window() = default;
    explicit Window(HWND hwnd) : hwnd_(hwnd) {}

    HWND Handle() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr; }

    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const {
        return SendMessageW(hwnd_, msg, wp, lp);
    }
    LRESULT SendItem(int id, UINT msg, WPARAM wp = 0, LPARAM lp = 0) const {
        return SendDlgItemMessageW(hwnd_, id, msg, wp, lp);
    }

    void SetText(const std::wstring& text) const { SetWindowTextW(hwnd_, text.c_str()); }
    std::wstring Text() const;
    void SetItemText(int id, const std::wstring& text) const {
        SetDlgItemTextW(hwnd_, id, text.c_str());
    }
    std::wstring ItemText(int id) const { return Window(Item(id)).Text(); }

    void EnableItem(int id, bool enable) const { EnableWindow(Item(id), enable ? TRUE : FALSE); }
    void ShowItem(int id, bool show) const { ShowWindow(Item(id), show ? SW_SHOW : SW_HIDE); }
    void FocusItem(int id) const { SetFocus(Item(id)); }
    // The window's big and small icon.
    void SetIcon(HICON icon) const {
        Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    // Appends a separator and the command, captioned with string resource
    // textId, to the window's system menu; nothing when the menu or the
    // string does not exist. The window handles the command in WM_SYSCOMMAND.
    void AppendSystemMenuItem(UINT command, UINT textId) const;

    // The rectangle of a child in this window's client coordinates.
    RECT ItemRect(int id) const;
    RECT ClientRect() const;

  protected:
    HWND hwnd_ = nullptr;
};

// An icon resource of the program's own module (shared; never destroyed).
inline HICON LoadProgramIcon(int id) {
    return LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
}

}  // namespace fw
