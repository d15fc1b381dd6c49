// Driving another process's windows the way a user would, through window
// messages only: find a top-level window of the process by one of its
// children, wait with a timeout, post commands and keys, read texts, read and
// select list-view items through memory in the other process, and capture a
// window from the screen.
//
// Cross-process rules these pieces rely on:
// - Standard messages that carry a pointer (WM_GETTEXT, CB_GETLBTEXT) are
//   copied between the processes by the system, so a local buffer works.
// - Common-control messages (LVM_*) are not: their structure and text buffer
//   must live in the other process (RemoteBuffer), written and read back with
//   WriteProcessMemory/ReadProcessMemory. The layout of LVITEMW is the
//   caller's, so the driver must have the target's pointer size (both come
//   from the same build, 32- or 64-bit).
// - A command that runs a long modal loop (START ALL runs the whole
//   benchmark inside its handler) is posted, never sent.
// - A posted message is handled after every message sent to the thread, so
//   a send does not prove that an earlier post has been handled; callers
//   wait for the effect they expect instead (WaitUntil).
// Texts cross this interface as UTF-8.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/text_codec.h"

namespace e2e {

// Milliseconds since construction, from the performance counter.
class Stopwatch {
  public:
    Stopwatch();
    double Ms() const;

  private:
    LARGE_INTEGER start_{}, frequency_{};
};

// Calls done every pollMs until it returns true (true) or timeoutMs have
// passed (false).
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD pollMs = 10);

// A started program. The destructor terminates it when it is still running,
// so a failed test leaves no process behind.
class RemoteProcess {
  public:
    RemoteProcess() = default;
    ~RemoteProcess();
    RemoteProcess(const RemoteProcess&) = delete;
    RemoteProcess& operator=(const RemoteProcess&) = delete;

    // Starts exe with its own folder as the working folder. A program of the
    // other pointer size is refused with a message (see the rules above).
    bool Start(const std::wstring& exe, std::string* error);
    HANDLE Handle() const { return process_; }
    DWORD Id() const { return id_; }
    bool Running() const;
    bool WaitForEnd(DWORD timeoutMs) const;
    void Terminate();
    DWORD ExitCode() const;

  private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// A top-level dialog of process pid with a child whose id is childId;
// nullptr when there is none. Hidden windows count only when asked.
HWND FindProcessDialog(DWORD pid, int childId, bool visibleOnly = true);
// Every visible top-level dialog of the process.
std::vector<HWND> ProcessDialogs(DWORD pid);

// Waits for FindProcessDialog; nullptr after the timeout or when the process
// ends first (error says which).
HWND WaitForProcessDialog(const RemoteProcess& process, int childId, DWORD timeoutMs,
                          std::string* error, bool visibleOnly = true);
// Waits until the window is destroyed or hidden.
bool WaitForWindowGone(HWND window, DWORD timeoutMs);

// True when the window's thread handles a message within the timeout.
bool Responds(HWND window, DWORD timeoutMs = 5000);

// Waits until the thread of `list` (a list view) has handled every message
// posted to it before this call: a change of the list's selection mark,
// which nothing on screen shows, is posted behind them and read back. What
// an earlier post did (a window it opened, say) is there to see once this
// returns true. False after the timeout.
bool EarlierPostsHandled(HWND list, DWORD timeoutMs = 10000);

// WM_COMMAND as the control `id` of `dialog` sends it (the control's handle
// in lParam; none for a menu command without such a child).
bool PostCommand(HWND dialog, int id, int code = BN_CLICKED);
// A key-down of the virtual key, as the keyboard would queue it.
bool PostKeyDown(HWND target, UINT virtualKey);
// The window with the keyboard focus in the thread of `window`, or nullptr.
HWND FocusOfThread(HWND window);

// WM_GETTEXT through the other thread; false when it does not answer.
bool ControlText(HWND control, std::string& text, DWORD timeoutMs = 5000);
// The text of child `id`; empty when it does not exist or does not answer.
std::string ItemText(HWND dialog, int id);
// A window's text as the system stores it, read without a message, so it
// works while the window's thread is busy.
std::string StoredText(HWND window);

// Memory in another process, freed on destruction.
class RemoteBuffer {
  public:
    RemoteBuffer(HANDLE process, size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    explicit operator bool() const { return address_ != nullptr; }
    char* Address() const { return static_cast<char*>(address_); }
    size_t Size() const { return size_; }
    bool Write(size_t offset, const void* data, size_t bytes) const;
    bool Read(size_t offset, void* data, size_t bytes) const;

  private:
    HANDLE process_;
    void* address_ = nullptr;
    size_t size_;
};

// A report-style list view of another process.
class RemoteListView {
  public:
    RemoteListView(HANDLE process, HWND list);
    bool Valid() const { return list_ != nullptr && static_cast<bool>(buffer_); }

    int ItemCount() const;
    bool ItemText(int row, int column, std::string& text) const;
    bool SetItemState(int row, UINT state, UINT mask) const;
    // Exactly these rows selected, every other row not.
    bool SelectOnly(const std::vector<int>& rows) const;

  private:
    static const size_t kTextChars = 512;
    HWND list_;
    RemoteBuffer buffer_;  // an LVITEMW followed by its text buffer
};

// The items of a combo box of another process.
int ComboCount(HWND combo);
bool ComboItemText(HWND combo, int index, std::string& text);
// Selects item `index` of combo `comboId` and tells the dialog, as a user's
// choice would (CB_SETCURSEL does not notify by itself).
bool ChooseComboItem(HWND dialog, int comboId, int index);

// Copies the window's full rectangle from the screen into a 24-bit BMP file.
bool CaptureWindowBmp(HWND window, const std::wstring& path, std::string* error);

}  // namespace e2e
