#include "tools/driver/remote_ui.h"

#include <commctrl.h>

#include <cstdio>

#include "framework/gdi.h"

namespace e2e {

// The driver is built with the program it drives, so a structure placed in
// the program's memory has the driver's own layout (32- or 64-bit alike).

namespace {

// Call first thing after the failure, before anything else can change the
// thread's last error.
std::string LastErrorText(const char* what) {
    const DWORD code = GetLastError();
    char text[160];
    std::snprintf(text, sizeof text, "%s failed (error %lu)", what,
                  static_cast<unsigned long>(code));
    return text;
}

bool IsDialog(HWND window) {
    wchar_t cls[16] = {};
    GetClassNameW(window, cls, 16);
    return lstrcmpW(cls, L"#32770") == 0;
}

struct DialogSearch {
    DWORD pid;
    int childId;  // 0: any dialog
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM param) {
    DialogSearch& search = *reinterpret_cast<DialogSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search.pid || !IsDialog(window))
        return TRUE;
    if (search.visibleOnly && !IsWindowVisible(window))
        return TRUE;
    if (search.childId != 0 && GetDlgItem(window, search.childId) == nullptr)
        return TRUE;
    search.found.push_back(window);
    return TRUE;
}

}  // namespace

Stopwatch::Stopwatch() {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
}

double Stopwatch::Ms() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start_.QuadPart) * 1000.0 /
           static_cast<double>(frequency_.QuadPart);
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD pollMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(pollMs);
    }
}

RemoteProcess::~RemoteProcess() {
    if (process_ == nullptr)
        return;
    if (Running())
        Terminate();
    CloseHandle(process_);
}

bool RemoteProcess::Start(const std::wstring& exe, std::string* error) {
    // The list view is read through the other process's memory in this
    // process's layout of its structures, which holds only for a program of
    // the same pointer size: refuse another one before starting it.
    DWORD binaryType = 0;
    const DWORD ownType = sizeof(void*) == 8 ? SCS_64BIT_BINARY : SCS_32BIT_BINARY;
    if (GetBinaryTypeW(exe.c_str(), &binaryType) &&
        (binaryType == SCS_32BIT_BINARY || binaryType == SCS_64BIT_BINARY) &&
        binaryType != ownType) {
        if (error != nullptr) {
            *error = fw::NarrowUtf8(exe) + " is a " + (ownType == SCS_64BIT_BINARY ? "32" : "64") +
                     "-bit program and this driver a " +
                     (ownType == SCS_64BIT_BINARY ? "64" : "32") +
                     "-bit one; drive it with the driver of its own build";
        }
        return false;
    }
    std::wstring folder = exe;
    const size_t slash = folder.find_last_of(L"\\/");
    folder = slash == std::wstring::npos ? std::wstring(L".") : folder.substr(0, slash);
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info)) {
        if (error != nullptr) {
            *error = LastErrorText("CreateProcess");
            *error += " for " + fw::NarrowUtf8(exe);
        }
        return false;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    return true;
}

bool RemoteProcess::Running() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool RemoteProcess::WaitForEnd(DWORD timeoutMs) const {
    return process_ == nullptr || WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

void RemoteProcess::Terminate() {
    if (process_ == nullptr)
        return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
}

DWORD RemoteProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_ != nullptr)
        GetExitCodeProcess(process_, &code);
    return code;
}

HWND FindProcessDialog(DWORD pid, int childId, bool visibleOnly) {
    DialogSearch search{pid, childId, visibleOnly, {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found.empty() ? nullptr : search.found.front();
}

std::vector<HWND> ProcessDialogs(DWORD pid) {
    DialogSearch search{pid, 0, true, {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForProcessDialog(const RemoteProcess& process, int childId, DWORD timeoutMs,
                          std::string* error, bool visibleOnly) {
    HWND found = nullptr;
    bool ended = false;
    WaitUntil(
        [&] {
            found = FindProcessDialog(process.Id(), childId, visibleOnly);
            ended = found == nullptr && !process.Running();
            return found != nullptr || ended;
        },
        timeoutMs, 5);
    if (found == nullptr && error != nullptr) {
        char text[160];
        if (ended)
            std::snprintf(text, sizeof text,
                          "the program ended (exit code %lu) before its window with control %d "
                          "appeared",
                          static_cast<unsigned long>(process.ExitCode()), childId);
        else
            std::snprintf(text, sizeof text, "no window with control %d appeared within %lu ms",
                          childId, static_cast<unsigned long>(timeoutMs));
        *error = text;
    }
    return found;
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs) {
    return WaitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs,
                     5);
}

bool Responds(HWND window, DWORD timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

bool EarlierPostsHandled(HWND list, DWORD timeoutMs) {
    auto ask = [list](UINT msg) {
        DWORD_PTR value = 0;
        if (!SendMessageTimeoutW(list, msg, 0, 0, SMTO_NORMAL, 5000, &value))
            return -2;
        return static_cast<int>(static_cast<INT_PTR>(value));
    };
    auto mark = [&] { return ask(LVM_GETSELECTIONMARK); };
    // Posted messages come out of a thread's queue in the order they went
    // in, so the new mark shows only after every earlier post. The marker
    // is a row of the list other than the mark it has (-1 for none).
    const int before = mark(), rows = ask(LVM_GETITEMCOUNT);
    const int marker = before + 1 < rows ? before + 1 : -1;
    if (before == -2 || rows < 1 || marker == before ||
        !PostMessageW(list, LVM_SETSELECTIONMARK, 0, marker))
        return false;
    const bool handled = WaitUntil([&] { return mark() == marker; }, timeoutMs);
    SendMessageTimeoutW(list, LVM_SETSELECTIONMARK, 0, before, SMTO_NORMAL, 5000, nullptr);
    return handled;
}

bool PostCommand(HWND dialog, int id, int code) {
    HWND control = GetDlgItem(dialog, id);
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, code),
                        reinterpret_cast<LPARAM>(control)) != 0;
}

bool PostKeyDown(HWND target, UINT virtualKey) {
    // Repeat count 1 and the key's scan code, as a real key press queues it.
    const UINT scanCode = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    return PostMessageW(target, WM_KEYDOWN, virtualKey, 1 | (static_cast<LPARAM>(scanCode) << 16));
}

HWND FocusOfThread(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

bool ControlText(HWND control, std::string& text, DWORD timeoutMs) {
    text.clear();
    if (control == nullptr)
        return false;
    wchar_t buffer[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXT, sizeof buffer / sizeof buffer[0],
                             reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL, timeoutMs, &copied))
        return false;
    buffer[sizeof buffer / sizeof buffer[0] - 1] = L'\0';
    text = fw::NarrowUtf8(buffer);
    return true;
}

std::string ItemText(HWND dialog, int id) {
    std::string text;
    ControlText(GetDlgItem(dialog, id), text);
    return text;
}

std::string StoredText(HWND window) {
    wchar_t buffer[512] = {};
    InternalGetWindowText(window, buffer, sizeof buffer / sizeof buffer[0]);
    return fw::NarrowUtf8(buffer);
}

RemoteBuffer::RemoteBuffer(HANDLE process, size_t size) : process_(process), size_(size) {
    address_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteBuffer::~RemoteBuffer() {
    if (address_ != nullptr)
        VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

bool RemoteBuffer::Write(size_t offset, const void* data, size_t bytes) const {
    SIZE_T written = 0;
    return address_ != nullptr && offset + bytes <= size_ &&
           WriteProcessMemory(process_, Address() + offset, data, bytes, &written) &&
           written == bytes;
}

bool RemoteBuffer::Read(size_t offset, void* data, size_t bytes) const {
    SIZE_T read = 0;
    return address_ != nullptr && offset + bytes <= size_ &&
           ReadProcessMemory(process_, Address() + offset, data, bytes, &read) && read == bytes;
}

RemoteListView::RemoteListView(HANDLE process, HWND list)
    : list_(list), buffer_(process, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t)) {}

int RemoteListView::ItemCount() const {
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(list_, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 5000, &count))
        return -1;
    return static_cast<int>(count);
}

bool RemoteListView::ItemText(int row, int column, std::string& text) const {
    text.clear();
    if (!Valid())
        return false;
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = reinterpret_cast<LPWSTR>(buffer_.Address() + sizeof(LVITEMW));
    item.cchTextMax = kTextChars;
    const wchar_t empty = L'\0';
    DWORD_PTR length = 0;
    if (!buffer_.Write(0, &item, sizeof item) ||
        !buffer_.Write(sizeof(LVITEMW), &empty, sizeof empty) ||
        !SendMessageTimeoutW(list_, LVM_GETITEMTEXTW, row,
                             reinterpret_cast<LPARAM>(buffer_.Address()), SMTO_NORMAL, 5000,
                             &length))
        return false;
    wchar_t local[kTextChars] = {};
    if (!buffer_.Read(sizeof(LVITEMW), local, sizeof local))
        return false;
    local[kTextChars - 1] = L'\0';
    text = fw::NarrowUtf8(local);
    return true;
}

bool RemoteListView::SetItemState(int row, UINT state, UINT mask) const {
    if (!Valid())
        return false;
    LVITEMW item{};
    item.state = state;
    item.stateMask = mask;
    DWORD_PTR ok = 0;
    return buffer_.Write(0, &item, sizeof item) &&
           SendMessageTimeoutW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                               reinterpret_cast<LPARAM>(buffer_.Address()), SMTO_NORMAL, 5000,
                               &ok) &&
           ok != 0;
}

bool RemoteListView::SelectOnly(const std::vector<int>& rows) const {
    // Row -1 addresses every row.
    if (!SetItemState(-1, 0, LVIS_SELECTED))
        return false;
    for (int row : rows)
        if (!SetItemState(row, LVIS_SELECTED, LVIS_SELECTED))
            return false;
    return true;
}

int ComboCount(HWND combo) {
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_NORMAL, 5000, &count))
        return -1;
    return static_cast<int>(count);
}

bool ComboItemText(HWND combo, int index, std::string& text) {
    text.clear();
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, index, 0, SMTO_NORMAL, 5000, &length) ||
        static_cast<LRESULT>(length) == CB_ERR)
        return false;
    std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&buffer[0]),
                             SMTO_NORMAL, 5000, &copied) ||
        static_cast<LRESULT>(copied) == CB_ERR)
        return false;
    buffer.resize(static_cast<size_t>(copied) <= length ? static_cast<size_t>(copied) : length);
    text = fw::NarrowUtf8(buffer);
    return true;
}

bool ChooseComboItem(HWND dialog, int comboId, int index) {
    HWND combo = GetDlgItem(dialog, comboId);
    DWORD_PTR result = 0;
    if (combo == nullptr ||
        !SendMessageTimeoutW(combo, CB_SETCURSEL, index, 0, SMTO_NORMAL, 5000, &result) ||
        static_cast<LRESULT>(result) != index)
        return false;
    return PostCommand(dialog, comboId, CBN_SELCHANGE);
}

bool CaptureWindowBmp(HWND window, const std::wstring& path, std::string* error) {
    RECT r{};
    if (!GetWindowRect(window, &r) || r.right <= r.left || r.bottom <= r.top) {
        if (error != nullptr)
            *error = "the window has no rectangle to capture";
        return false;
    }
    const int width = r.right - r.left, height = r.bottom - r.top;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up rows, as a BMP file stores them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageBytes = stride * static_cast<DWORD>(height);
    info.bmiHeader.biSizeImage = imageBytes;

    fw::WindowDC screen(nullptr);
    fw::MemoryDC memory(screen.Get());
    void* bits = nullptr;
    fw::Bitmap dib(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (screen.Get() == nullptr || memory.Get() == nullptr || !dib || bits == nullptr) {
        if (error != nullptr)
            *error = LastErrorText("creating the capture bitmap");
        return false;
    }
    {
        fw::ScopedSelect select(memory.Get(), dib.Get());
        if (!BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), r.left, r.top,
                    SRCCOPY | CAPTUREBLT)) {
            if (error != nullptr)
                *error = LastErrorText("BitBlt from the screen");
            return false;
        }
    }
    GdiFlush();

    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + imageBytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (error != nullptr) {
            *error = LastErrorText("creating the bitmap file");
            *error += ": " + fw::NarrowUtf8(path);
        }
        return false;
    }
    DWORD written = 0;
    bool ok = WriteFile(file, &header, sizeof header, &written, nullptr) &&
              WriteFile(file, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr) &&
              WriteFile(file, bits, imageBytes, &written, nullptr) && written == imageBytes;
    if (!ok && error != nullptr) {
        *error = LastErrorText("writing the bitmap file");
        *error += ": " + fw::NarrowUtf8(path);
    }
    CloseHandle(file);
    return ok;
}

}  // namespace e2e
