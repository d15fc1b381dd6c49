// In-process driving of the program's own windows for the command tests.
//
// A modal window runs its loop on the test's thread; a script on a second
// thread plays the user: it waits for windows of the test's thread to appear,
// reads them and posts clicks, keys and commands. Sends from the script are
// handled by the modal loop (cross-thread sends run while the loop waits for
// messages); anything that opens a window of its own is posted, so that the
// script never blocks on it.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

namespace commands_test {

inline bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD pollMs = 5) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(pollMs);
    }
}

struct DialogSearch {
    std::vector<int> with, without;
    std::vector<HWND> found;
};

inline BOOL CALLBACK CollectDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    wchar_t cls[16] = {};
    GetClassNameW(window, cls, 16);
    if (std::wstring(cls) != L"#32770" || !IsWindowVisible(window))
        return TRUE;
    for (int id : search->with)
        if (GetDlgItem(window, id) == nullptr)
            return TRUE;
    for (int id : search->without)
        if (GetDlgItem(window, id) != nullptr)
            return TRUE;
    search->found.push_back(window);
    return TRUE;
}

// The visible dialogs of a thread with every child of `with` and none of
// `without`.
inline std::vector<HWND> ThreadDialogs(DWORD thread, std::initializer_list<int> with,
                                       std::initializer_list<int> without = {}) {
    DialogSearch search{with, without, {}};
    EnumThreadWindows(thread, CollectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline HWND WaitThreadDialog(DWORD thread, std::initializer_list<int> with,
                             std::initializer_list<int> without = {}, DWORD timeoutMs = 10000) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            std::vector<HWND> dialogs = ThreadDialogs(thread, with, without);
            found = dialogs.empty() ? nullptr : dialogs.front();
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

inline bool WaitGone(HWND window, DWORD timeoutMs = 10000) {
    return WaitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

inline std::wstring Text(HWND window) {
    wchar_t text[1024] = {};
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

inline std::wstring ItemText(HWND dialog, int id) {
    return Text(GetDlgItem(dialog, id));
}

// WM_COMMAND as a click of the dialog's button (or a menu command).
inline void Click(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

inline void KeyDown(HWND target, UINT key) {
    PostMessageW(target, WM_KEYDOWN, key, 1 | (MapVirtualKeyW(key, 0) << 16));
}

// The texts of every child of a dialog, one after the other: what a message
// box says.
inline std::wstring ChildTexts(HWND dialog) {
    std::wstring all;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        all += Text(child) + L"\n";
    return all;
}

// Runs script on a second thread while modal runs on this one; then finish
// on that thread, which must end the modal run whatever the script did (a
// script returns early when a check fails). Both are done when this returns.
inline void RunWithScript(const std::function<void()>& modal, const std::function<void()>& script,
                          const std::function<void()>& finish) {
    std::thread driver([&] {
        script();
        finish();
    });
    modal();
    driver.join();
}

}  // namespace commands_test
