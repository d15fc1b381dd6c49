// The main window's record and export commands, its popup menu and its keys,
// driven from outside the real velkora.exe: adding and deleting records
// through the add-data dialog, TXT COPY and BMP COPY read back from the
// clipboard, every function key and menu command reaching its command, Esc
// from every control, and a long series of adds and deletes checked against
// what the data file must hold. Needs an X display under Wine.
//
// Dropping files cannot be done from another process (a drop handle is
// memory of the receiving process); the in-process tests of the main window
// (tests/win32/commands_main_window_test.cpp) drop files on it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/program_folder.h"
#include "tools/driver/data_file_text.h"
#include "tools/driver/remote_ui.h"
#include "tools/driver/velkora_session.h"

namespace e2e {
namespace {

const DWORD kWindowMs = 30000;  // for the program's main window
const DWORD kDialogMs = 10000;  // for a dialog or an effect of a command
const DWORD kEndMs = 10000;     // for the program to end
const char kAbsent[] = "<absent>";

// Controls that tell the program's dialogs apart (several templates share
// control numbers).
const int kAddNameLabel = 1062;  // add-data dialog only
const int kAddName = 1047;       // its registration name
const int kAddUser = 1048;
const int kAddComputer = 1049;
const int kAddDate = 1050;
const int kAddMessage = 1061;
const int kAddMemo = 1074;
const int kProcessorSignature = 1005;   // processor window only
const int kOptionsDefaults = 1078;      // options dialog only
const int kSystemPlatformLabel = 1070;  // system information dialog only
const int kVideoCombo = 1045;           // video name dialog: with 1061, without 1001
const int kVideoMessage = 1061;
const int kBitmapLogoId = 141;
const int kButtonRowHeight = 26;

const char kLoopRefusal[] = "ループ回数がデフォルト（10000回）でないと追加できません。";
const char kClipboardRefusal[] = "クリップボードが開けませんでした。";

using Folder = ProgramFolder;

// A visible dialog of the process with every child of `with` and none of
// `without`.
HWND FindDialog(DWORD pid, std::initializer_list<int> with, std::initializer_list<int> without) {
    for (HWND w : ProcessDialogs(pid)) {
        bool match = true;
        for (int id : with)
            match = match && GetDlgItem(w, id) != nullptr;
        for (int id : without)
            match = match && GetDlgItem(w, id) == nullptr;
        if (match)
            return w;
    }
    return nullptr;
}

// The texts of a dialog's children, one per line: what a message box says.
std::string ChildTexts(HWND dialog) {
    std::string all;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        std::string text;
        ControlText(child, text);
        all += text + "\n";
    }
    return all;
}

// The local time as the add-data dialog dates a record: "%Y.%m/%d.%H:%M".
std::string LocalDate() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u.%02u/%02u.%02u:%02u", now.wYear, now.wMonth, now.wDay,
                  now.wHour, now.wMinute);
    return text;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Opens the clipboard, retrying while the program still holds it.
bool OpenClipboardSoon() {
    return WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 5000, 10);
}

bool ReadClipboardText(std::string& text) {
    text.clear();
    if (!OpenClipboardSoon())
        return false;
    bool ok = false;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            text.assign(bytes, strnlen(bytes, GlobalSize(data)));
            GlobalUnlock(data);
            ok = true;
        }
    }
    CloseClipboard();
    return ok;
}

// A bitmap's pixels as 24-bit rows, top row first, each row padded to four
// bytes.
struct Pixels {
    int width = 0, height = 0;
    std::vector<unsigned char> bytes;

    size_t Stride() const { return (static_cast<size_t>(width) * 3 + 3) & ~size_t{3}; }
    COLORREF At(int x, int y) const {
        const unsigned char* p = &bytes[static_cast<size_t>(y) * Stride() + x * 3];
        return RGB(p[2], p[1], p[0]);
    }
};

bool ReadPixels(HBITMAP bitmap, Pixels& pixels) {
    BITMAP info{};
    if (bitmap == nullptr || !GetObjectW(bitmap, sizeof info, &info))
        return false;
    pixels.width = info.bmWidth;
    pixels.height = info.bmHeight;
    pixels.bytes.assign(pixels.Stride() * pixels.height, 0);
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = pixels.width;
    header.bmiHeader.biHeight = -pixels.height;  // top row first
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 24;
    header.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    const int rows =
        GetDIBits(screen, bitmap, 0, pixels.height, pixels.bytes.data(), &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return rows == pixels.height;
}

// The program puts a CF_BITMAP on the clipboard. A bitmap handle does not
// cross to another process under Wine, so the pixels are read from the
// CF_DIB the system makes of it.
bool ReadClipboardBitmap(Pixels& pixels) {
    if (!OpenClipboardSoon())
        return false;
    bool ok = false;
    HANDLE dib = IsClipboardFormatAvailable(CF_BITMAP) ? GetClipboardData(CF_DIB) : nullptr;
    const auto* info = dib != nullptr ? static_cast<const BITMAPINFO*>(GlobalLock(dib)) : nullptr;
    if (info != nullptr) {
        const BITMAPINFOHEADER& h = info->bmiHeader;
        size_t colours = h.biClrUsed;
        if (colours == 0 && h.biBitCount <= 8)
            colours = size_t{1} << h.biBitCount;
        const size_t masks = h.biCompression == BI_BITFIELDS ? 3 : 0;
        const char* bits =
            reinterpret_cast<const char*>(info) + h.biSize + (colours + masks) * sizeof(DWORD);
        HDC screen = GetDC(nullptr);
        HBITMAP bitmap = CreateDIBitmap(screen, &h, CBM_INIT, bits, info, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        ok = ReadPixels(bitmap, pixels);
        DeleteObject(bitmap);
        GlobalUnlock(dib);
    }
    CloseClipboard();
    return ok;
}

// The client area of a window as the screen shows it now.
bool CaptureClient(HWND window, Pixels& pixels) {
    RECT client;
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    const bool ok = ReadPixels(bitmap, pixels);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, dc);
    return ok;
}

bool HasDialogTemplate(const std::wstring& exe, int id) {
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr)
        return false;
    const bool found = FindResourceA(module, MAKEINTRESOURCEA(id), RT_DIALOG) != nullptr;
    FreeLibrary(module);
    return found;
}

class CommandsE2ETest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(folder_.Create(&error)) << error;
    }

    void TearDown() override {
        EndProgram();
        if (HasFailure())
            std::printf("Kept for inspection: %s\n", fw::NarrowUtf8(folder_.Path()).c_str());
        else
            folder_.Remove();
    }

    void StartProgram() {
        EndProgram();
        session_.reset(new VelkoraSession);
        std::string error;
        ASSERT_TRUE(session_->Start(folder_.Exe(), kWindowMs, &error)) << error;
    }

    // Closes a program that still runs, with every dialog it has open.
    void EndProgram() {
        if (session_ && session_->Process().Running()) {
            for (HWND w : ProcessDialogs(Pid()))
                if (w != Main())
                    PostCommand(w, IDCANCEL);
            PostCommand(Main(), IDC_CLOSE);
            session_->WaitForExit(kEndMs);
        }
        session_.reset();
    }

    void WriteRecords(int count,
                      const std::vector<std::pair<std::string, std::string>>& extra = {}) {
        std::vector<PreparedRecord> records(count);
        for (int i = 0; i < count; ++i) {
            records[i].systemName = "R" + std::to_string(i + 1);
            for (int t = 0; t < kTestCount; ++t)
                records[i].times[t] = static_cast<float>(i + 1) + 0.25f * static_cast<float>(t);
        }
        std::vector<std::pair<std::string, std::string>> options = {
            {"VelkoraDataNum", std::to_string(count)}};
        options.insert(options.end(), extra.begin(), extra.end());
        ASSERT_TRUE(folder_.Write(folder_.DataFile(), DataFileText(options, records)));
    }

    HWND Main() const { return session_->MainWindow(); }
    DWORD Pid() const { return session_->Process().Id(); }
    HWND Selector() const { return GetDlgItem(Main(), IDC_SYSTEM_SELECTOR); }
    HWND List() const { return GetDlgItem(Main(), IDC_RESULT_LIST); }

    HWND WaitDialog(std::initializer_list<int> with, std::initializer_list<int> without = {},
                    DWORD timeoutMs = kDialogMs) const {
        HWND found = nullptr;
        WaitUntil(
            [&] {
                found = FindDialog(Pid(), with, without);
                return found != nullptr;
            },
            timeoutMs);
        return found;
    }
    HWND WaitAddDialog() const { return WaitDialog({kAddNameLabel, kAddMemo}); }

    // A dialog of the program that is none of the windows it always has.
    HWND WaitMessageBox(DWORD timeoutMs = kDialogMs) const {
        HWND found = nullptr;
        WaitUntil(
            [&] {
                for (HWND w : ProcessDialogs(Pid()))
                    if (w != Main() && GetDlgItem(w, kAddNameLabel) == nullptr)
                        found = w;
                return found != nullptr;
            },
            timeoutMs);
        return found;
    }

    int SelectorCount() const { return ComboCount(Selector()); }
    int SelectorChoice() const {
        DWORD_PTR sel = 0;
        SendMessageTimeoutW(Selector(), CB_GETCURSEL, 0, 0, SMTO_NORMAL, 5000, &sel);
        return static_cast<int>(sel);
    }
    std::string SelectorEntry(int i) const {
        std::string text;
        ComboItemText(Selector(), i, text);
        return text;
    }

    bool SetEditText(HWND dialog, int id, const std::string& text) const {
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(GetDlgItem(dialog, id), WM_SETTEXT, 0,
                                   reinterpret_cast<LPARAM>(fw::WidenUtf8(text).c_str()),
                                   SMTO_NORMAL, 5000, &result) != 0;
    }

    // ADD DATA, the dialog confirmed with the name given (the proposal when
    // empty); the proposal it showed goes to proposed. True once the
    // selector has the new entry.
    bool AddThroughDialog(const std::string& name, std::string* proposed = nullptr) {
        const int before = SelectorCount();
        PostCommand(Main(), IDC_ADD_DATA);
        HWND dialog = WaitAddDialog();
        if (dialog == nullptr)
            return false;
        if (proposed != nullptr)
            *proposed = ItemText(dialog, kAddName);
        if (!name.empty())
            SetEditText(dialog, kAddName, name);
        PostCommand(dialog, IDOK);
        return WaitForWindowGone(dialog, kDialogMs) &&
               WaitUntil([&] { return SelectorCount() == before + 1; }, kDialogMs);
    }

    // Selects entry k, DEL DATA, checks that the dialog names the expected
    // record and confirms. True once the selector has lost the entry.
    bool DeleteThroughDialog(int k, const std::string& expectedName) {
        const int before = SelectorCount();
        if (!ChooseComboItem(Main(), IDC_SYSTEM_SELECTOR, k))
            return false;
        PostCommand(Main(), IDC_DEL_DATA);
        HWND dialog = WaitAddDialog();
        if (dialog == nullptr)
            return false;
        const std::string shown = ItemText(dialog, kAddName);
        EXPECT_EQ(shown, expectedName) << "the deletion dialog names entry " << k;
        PostCommand(dialog, shown == expectedName ? IDOK : IDCANCEL);
        return WaitForWindowGone(dialog, kDialogMs) &&
               WaitUntil([&] { return SelectorCount() == before - 1; }, kDialogMs);
    }

    Folder folder_;
    std::unique_ptr<VelkoraSession> session_;
};

TEST_F(CommandsE2ETest, AddDataProposesTheRunningSystemAndStoresItAsTheNextRecord) {
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    const std::string summary = session_->Text(IDC_PROCESSOR_LINE);
    ASSERT_FALSE(summary.empty());

    // Cancel changes nothing.
    PostCommand(Main(), IDC_ADD_DATA);
    HWND dialog = WaitAddDialog();
    ASSERT_NE(dialog, nullptr) << "ADD DATA opens the add-data dialog";
    PostCommand(dialog, IDCANCEL);
    ASSERT_TRUE(WaitForWindowGone(dialog, kDialogMs));
    EXPECT_EQ(SelectorCount(), 1);
    EXPECT_EQ(folder_.Profile("SystemInfo-DATA001", "SystemName"), kAbsent);

    // The first record: the proposal as shown, a typed memo.
    const std::string before = LocalDate();
    PostCommand(Main(), IDC_ADD_DATA);
    dialog = WaitAddDialog();
    const std::string after = LocalDate();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(StoredText(dialog), "データの追加");
    EXPECT_EQ(ItemText(dialog, kAddName), summary + " System");
    EXPECT_EQ(ItemText(dialog, kAddUser), folder_.Profile("SystemInfo-DATA000", "UserName"));
    EXPECT_EQ(ItemText(dialog, kAddComputer), folder_.Profile("SystemInfo-DATA000", "PCName"));
    const std::string date = ItemText(dialog, kAddDate);
    EXPECT_TRUE(date == before || date == after) << date << " is not the time: " << after;
    EXPECT_NE(GetWindowLongW(GetDlgItem(dialog, kAddDate), GWL_STYLE) & ES_READONLY, 0)
        << "the date cannot be edited";
    ASSERT_TRUE(SetEditText(dialog, kAddMemo, "line a\r\nline b"));
    PostCommand(dialog, IDOK);
    ASSERT_TRUE(WaitForWindowGone(dialog, kDialogMs));
    ASSERT_TRUE(WaitUntil([&] { return SelectorCount() == 2; }, kDialogMs));
    EXPECT_EQ(SelectorEntry(1), summary + " System");
    EXPECT_EQ(SelectorChoice(), 1) << "the new record is selected";

    // The file holds record 1: record 0 with the dialog's texts.
    EXPECT_EQ(folder_.Profile("VelkoraDataFile", "VelkoraDataNum"), "1")
        << "the count is written with the record";
    EXPECT_EQ(folder_.Profile("SystemInfo-DATA001", "SystemName"), summary + " System");
    EXPECT_EQ(folder_.Profile("SystemInfo-DATA001", "Date"), date);
    EXPECT_EQ(folder_.Profile("SystemInfo-DATA001", "MEMO"), "line a:;line b");
    // Setting is probed again; on the same machine it matches record 0's.
    for (const char* key :
         {"UserName", "PCName", "PlatformInfo", "VideoCard", "PlatformID", "Setting"})
        EXPECT_EQ(folder_.Profile("SystemInfo-DATA001", key),
                  folder_.Profile("SystemInfo-DATA000", key))
            << key;
    for (const char* key : {"ProcessorName", "VendorName", "Signature", "Frequency"})
        EXPECT_EQ(folder_.Profile("InfoCPU-DATA001", key), folder_.Profile("InfoCPU-DATA000", key))
            << key;
    for (const char* name : kTestNames)
        EXPECT_EQ(folder_.Profile("Velkora-DATA001", name),
                  folder_.Profile("Velkora-DATA000", name))
            << name;

    // The next proposals are numbered; a typed name is stored as typed.
    std::string proposed;
    ASSERT_TRUE(AddThroughDialog("", &proposed));
    EXPECT_EQ(proposed, summary + " System(2)");
    ASSERT_TRUE(AddThroughDialog("", &proposed));
    EXPECT_EQ(proposed, summary + " System(3)");
    ASSERT_TRUE(AddThroughDialog("Typed name", &proposed));
    EXPECT_EQ(proposed, summary + " System(4)");
    EXPECT_EQ(folder_.Profile("SystemInfo-DATA003", "SystemName"), summary + " System(3)");
    EXPECT_EQ(folder_.Profile("SystemInfo-DATA004", "SystemName"), "Typed name");
    EXPECT_EQ(SelectorEntry(4), "Typed name");

    // After the first of them is deleted, the proposal repeats "(3)": two
    // names still begin with the stem.
    ASSERT_TRUE(DeleteThroughDialog(1, summary + " System"));
    ASSERT_TRUE(AddThroughDialog("", &proposed));
    EXPECT_EQ(proposed, summary + " System(3)");

    PostCommand(Main(), IDC_CLOSE);
    ASSERT_TRUE(session_->WaitForExit(kEndMs));
    EXPECT_EQ(folder_.Profile("VelkoraDataFile", "VelkoraDataNum"), "4");
}

TEST_F(CommandsE2ETest, AddDataIsRefusedWhenTheLoopCountIsNotTheDefault) {
    ASSERT_NO_FATAL_FAILURE(WriteRecords(0, {{"VelkoraLoop", "20000"}}));
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    const std::string before = folder_.Read(folder_.DataFile());
    PostCommand(Main(), IDC_ADD_DATA);
    HWND box = WaitMessageBox();
    ASSERT_NE(box, nullptr) << "a message says why";
    EXPECT_TRUE(Contains(ChildTexts(box), kLoopRefusal)) << ChildTexts(box);
    EXPECT_EQ(FindDialog(Pid(), {kAddNameLabel}, {}), nullptr) << "no add-data dialog";
    PostCommand(box, IDOK);
    ASSERT_TRUE(WaitForWindowGone(box, kDialogMs));
    EXPECT_EQ(SelectorCount(), 1);
    EXPECT_EQ(folder_.Read(folder_.DataFile()), before) << "the file is unchanged";
}

TEST_F(CommandsE2ETest, DeletingRecordTwoOfFourRenumbersTheRestAndShowsThisSystem) {
    ASSERT_NO_FATAL_FAILURE(WriteRecords(4));
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_EQ(SelectorCount(), 5);

    // With "This System" selected DEL DATA does nothing at all.
    PostCommand(Main(), IDC_DEL_DATA);
    ASSERT_TRUE(EarlierPostsHandled(List()));
    EXPECT_EQ(WaitMessageBox(0), nullptr) << "no dialog and no message";

    ASSERT_TRUE(ChooseComboItem(Main(), IDC_SYSTEM_SELECTOR, 2));
    ASSERT_TRUE(WaitUntil([&] { return session_->Text(IDC_TOTAL_TIME) != "0.000"; }, kDialogMs));
    PostCommand(Main(), IDC_DEL_DATA);
    HWND dialog = WaitAddDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(StoredText(dialog), "データの削除");
    EXPECT_EQ(ItemText(dialog, kAddMessage), "以下の登録データを削除します。\nよろしいですか？");
    EXPECT_EQ(ItemText(dialog, kAddName), "R2");
    EXPECT_EQ(ItemText(dialog, kAddUser), "tester");
    EXPECT_EQ(ItemText(dialog, kAddComputer), "E2E-HOST");
    EXPECT_EQ(ItemText(dialog, kAddDate), "2024.01/02.03:04");
    EXPECT_EQ(ItemText(dialog, kAddMemo), "first line\r\nsecond line");
    for (int id : {kAddName, kAddUser, kAddComputer, kAddMemo, kAddDate})
        EXPECT_NE(GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & ES_READONLY, 0) << id;
    PostCommand(dialog, IDOK);
    ASSERT_TRUE(WaitForWindowGone(dialog, kDialogMs));
    ASSERT_TRUE(WaitUntil([&] { return SelectorCount() == 4; }, kDialogMs));

    const char* entries[] = {"This System", "R1", "R3", "R4"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(SelectorEntry(i), entries[i]) << "entry " << i;
    EXPECT_EQ(SelectorChoice(), 0) << "This System is selected";
    EXPECT_TRUE(WaitUntil([&] { return session_->Text(IDC_TOTAL_TIME) == "0.000"; }, kDialogMs))
        << "and shown: " << session_->Text(IDC_TOTAL_TIME);

    // Records 3 and 4 moved to 2 and 3; the old record 4 stays behind.
    struct Expected {
        int record;
        const char* name;
        double firstTime;
        const char* frequency;  // the prepared records' processors tell them apart
    } expected[] = {{1, "R1", 1.0, "1001.000000"},
                    {2, "R3", 3.0, "1003.000000"},
                    {3, "R4", 4.0, "1004.000000"}};
    // Nothing of the old record 4 stays behind beyond the count.
    EXPECT_EQ(folder_.Profile(SystemSection(4), "SystemName"), kAbsent);
    EXPECT_EQ(folder_.Profile(TimingSection(4), kTestNames[0]), kAbsent);
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.record);
        EXPECT_EQ(folder_.Profile(SystemSection(e.record), "SystemName"), e.name);
        EXPECT_EQ(folder_.Profile(SystemSection(e.record), "MEMO"), "first line:;second line");
        EXPECT_EQ(folder_.Profile(ProcessorSection(e.record), "Frequency"), e.frequency);
        EXPECT_EQ(folder_.Profile(TimingSection(e.record), kTestNames[0]),
                  Format("%f", e.firstTime));
        EXPECT_EQ(folder_.Profile(TimingSection(e.record), kTestNames[19]),
                  Format("%f", e.firstTime + 0.25 * 19));
    }
    EXPECT_EQ(folder_.Profile("VelkoraDataFile", "VelkoraDataNum"), "3");

    // Cancel keeps everything.
    ASSERT_TRUE(ChooseComboItem(Main(), IDC_SYSTEM_SELECTOR, 1));
    const std::string before = folder_.Read(folder_.DataFile());
    PostCommand(Main(), IDC_DEL_DATA);
    dialog = WaitAddDialog();
    ASSERT_NE(dialog, nullptr);
    PostCommand(dialog, IDCANCEL);
    ASSERT_TRUE(WaitForWindowGone(dialog, kDialogMs));
    ASSERT_TRUE(Responds(Main()));
    EXPECT_EQ(SelectorCount(), 4);
    EXPECT_EQ(folder_.Read(folder_.DataFile()), before);

    PostCommand(Main(), IDC_CLOSE);
    ASSERT_TRUE(session_->WaitForExit(kEndMs));
    EXPECT_EQ(folder_.Profile("VelkoraDataFile", "VelkoraDataNum"), "3");
}

TEST_F(CommandsE2ETest, TxtCopyOfStoredRecordThreeIsAOneRecordDataFile) {
    ASSERT_NO_FATAL_FAILURE(WriteRecords(5));
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_TRUE(ChooseComboItem(Main(), IDC_SYSTEM_SELECTOR, 3));
    const DWORD sequence = GetClipboardSequenceNumber();
    PostCommand(Main(), IDC_TXT_COPY);
    ASSERT_TRUE(WaitUntil([&] { return GetClipboardSequenceNumber() != sequence; }, kDialogMs));
    ASSERT_TRUE(Responds(Main()));
    std::string text;
    ASSERT_TRUE(ReadClipboardText(text));

    std::string expected =
        "[VelkoraDataFile]\r\n\tVelkoraDataNum = 1\r\n\r\n"
        "[SystemInfo-DATA001]\r\n\tSystemName = R3\r\n\tUserName = tester\r\n"
        "\tPCName = E2E-HOST\r\n\tPlatformInfo = Windows 7 (6.1.7601 Service Pack 1)  1024MB "
        "Mem\r\n\tPlatformID = 2\r\n\tVideoCard = Prepared Video\r\n"
        "\tDate = 2024.01/02.03:04\r\n\tMEMO = first line:;second line\r\n"
        "\tSetting = 65536\r\n\r\n"
        "[InfoCPU-DATA001]\r\n\tProcessorName = Prepared Processor\r\n"
        "\tCodeName = Prepared\r\n\tVendorName = GenuineIntel\r\n\tSignature = 0x683\r\n"
        "\tFeatureFlag = 58589183\r\n\tFrequency = 1003.000000\r\n\tCashFlagEAX = 0\r\n"
        "\tCashFlagEBX = 0\r\n\tCashFlagECX = 0\r\n\tCashFlagEDX = 0\r\n"
        "\tL2CashSize = 256\r\n\tMultiProcessor = 1\r\n\tCashLeaf4 = 0\r\n\tL1ICashEBX = 0\r\n"
        "\tL1ICashSets = 0\r\n\tL1DCashEBX = 0\r\n\tL1DCashSets = 0\r\n\tL2CashEBX = 0\r\n"
        "\tL2CashSets = 0\r\n\r\n"
        "[Velkora-DATA001]\r\n";
    for (int t = 0; t < kTestCount; ++t)
        expected +=
            std::string("\t") + kTestNames[t] + " = " + Format("%f", 3.0 + 0.25 * t) + "\r\n";
    EXPECT_EQ(text, expected);

    // Saved as a file, the platform's own reader sees one record.
    const std::wstring pasted = folder_.Path() + L"\\pasted.txt";
    ASSERT_TRUE(folder_.Write(pasted, text));
    EXPECT_EQ(folder_.Profile("VelkoraDataFile", "VelkoraDataNum", pasted), "1");
    EXPECT_EQ(folder_.Profile("SystemInfo-DATA001", "SystemName", pasted), "R3");
    EXPECT_EQ(folder_.Profile("InfoCPU-DATA001", "Signature", pasted), "0x683");
    EXPECT_EQ(folder_.Profile("Velkora-DATA001", "TreeView", pasted), "6.500000");
}

TEST_F(CommandsE2ETest, TxtCopyTellsWhenTheClipboardCannotBeOpened) {
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    // This test holds the clipboard, so the program cannot open it.
    ASSERT_TRUE(OpenClipboardSoon());
    EmptyClipboard();
    const DWORD sequence = GetClipboardSequenceNumber();
    PostCommand(Main(), IDC_TXT_COPY);
    HWND box = WaitMessageBox();
    CloseClipboard();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(Contains(ChildTexts(box), kClipboardRefusal)) << ChildTexts(box);
    PostCommand(box, IDOK);
    ASSERT_TRUE(WaitForWindowGone(box, kDialogMs));
    EXPECT_EQ(GetClipboardSequenceNumber(), sequence) << "the clipboard is left alone";
}

TEST_F(CommandsE2ETest, BmpCopyIsTheClientAreaWithoutTheButtonRowAndWithTheLogo) {
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    RECT client;
    ASSERT_TRUE(GetClientRect(Main(), &client));
    // The window fully painted first: the copy takes what the screen shows.
    RedrawWindow(Main(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ASSERT_TRUE(Responds(Main()));
    const DWORD sequence = GetClipboardSequenceNumber();
    PostCommand(Main(), IDC_BMP_COPY);
    ASSERT_TRUE(WaitUntil([&] { return GetClipboardSequenceNumber() != sequence; }, kDialogMs));
    ASSERT_TRUE(Responds(Main()));
    Pixels copy;
    ASSERT_TRUE(ReadClipboardBitmap(copy));
    EXPECT_EQ(copy.width, client.right);
    EXPECT_EQ(copy.height, client.bottom - kButtonRowHeight);

    // Bitmap 141 over START ALL, 8 pixels inside the button; black where
    // the button is larger than the bitmap.
    HMODULE exe = LoadLibraryExW(folder_.Exe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    HBITMAP logoBitmap = static_cast<HBITMAP>(
        LoadImageW(exe, MAKEINTRESOURCEW(kBitmapLogoId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    Pixels logo;
    const bool logoRead = ReadPixels(logoBitmap, logo);
    DeleteObject(logoBitmap);
    FreeLibrary(exe);
    ASSERT_TRUE(logoRead);
    ASSERT_EQ(logo.width, 180);
    ASSERT_EQ(logo.height, 50);
    RECT r;
    GetWindowRect(GetDlgItem(Main(), IDC_START_ALL), &r);
    MapWindowPoints(nullptr, Main(), reinterpret_cast<POINT*>(&r), 2);
    InflateRect(&r, -8, -8);
    int wrong = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            const int lx = x - r.left, ly = y - r.top;
            const COLORREF want =
                lx < logo.width && ly < logo.height ? logo.At(lx, ly) : RGB(0, 0, 0);
            if (copy.At(x, y) != want && ++wrong <= 5)
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << copy.At(x, y)
                              << ", not " << want;
        }
    }
    EXPECT_EQ(wrong, 0);

    // Elsewhere the picture is what the screen shows of the window.
    Pixels screen;
    ASSERT_TRUE(CaptureClient(Main(), screen));
    int same = 0, compared = 0;
    for (int y = 0; y < copy.height; y += 2) {
        for (int x = 0; x < copy.width; x += 2) {
            if (x >= r.left - 8 && x < r.right + 8 && y >= r.top - 8 && y < r.bottom + 8)
                continue;
            ++compared;
            same += copy.At(x, y) == screen.At(x, y);
        }
    }
    EXPECT_GT(same, compared * 99 / 100) << same << " of " << compared << " pixels agree";
}

// How a command is given and what shows that it arrived.
struct Route {
    const char* name;
    enum Kind { kKey, kMenu, kSystemMenu } kind;
    UINT code;  // virtual key, menu command or system command
    enum Effect {
        kAbout,
        kProcessor,
        kVideo,
        kSystem,
        kOptions,
        kTestWindow,
        kAddDialog,
        kDeleteDialog,
        kCompare,
        kClipboardText,
        kClipboardBitmap,
        kGraph3000,
        kGraph5000,
        kGraph8000,
        kGraph10000,
        kNothing
    } effect;
};

TEST_F(CommandsE2ETest, EveryFunctionKeyAndMenuItemReachesItsCommand) {
    ASSERT_NO_FATAL_FAILURE(WriteRecords(1));
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    const Route routes[] = {
        {"F1", Route::kKey, VK_F1, Route::kAbout},
        {"menu Velkora...", Route::kMenu, ID_ABOUT, Route::kAbout},
        {"system menu item 16", Route::kSystemMenu, IDM_ABOUTBOX, Route::kAbout},
        {"F2", Route::kKey, VK_F2, Route::kProcessor},
        {"menu Processor...", Route::kMenu, ID_PROCESSOR, Route::kProcessor},
        {"F3", Route::kKey, VK_F3, Route::kVideo},
        {"menu VideoCard...", Route::kMenu, ID_VIDEOCARD, Route::kVideo},
        {"F4", Route::kKey, VK_F4, Route::kSystem},
        {"menu Platform...", Route::kMenu, ID_PLATFORM, Route::kSystem},
        {"F5", Route::kKey, VK_F5, Route::kTestWindow},
        {"menu START ALL", Route::kMenu, ID_START_ALL, Route::kTestWindow},
        {"menu START (Selected Item)", Route::kMenu, ID_START_SELECTED, Route::kTestWindow},
        {"F7", Route::kKey, VK_F7, Route::kAddDialog},
        {"menu ADD", Route::kMenu, ID_ADD_DATA, Route::kAddDialog},
        {"F8", Route::kKey, VK_F8, Route::kDeleteDialog},
        {"menu DELETE", Route::kMenu, ID_DELETE_DATA, Route::kDeleteDialog},
        {"F9", Route::kKey, VK_F9, Route::kClipboardText},
        {"menu TEXT", Route::kMenu, ID_COPY_TEXT, Route::kClipboardText},
        {"F10", Route::kKey, VK_F10, Route::kClipboardBitmap},
        {"menu BITMAP", Route::kMenu, ID_COPY_BITMAP, Route::kClipboardBitmap},
        {"F12", Route::kKey, VK_F12, Route::kOptions},
        {"menu Option...", Route::kMenu, ID_OPTIONS, Route::kOptions},
        {"menu 5000", Route::kMenu, ID_GRAPH_5000, Route::kGraph5000},
        {"menu 8000", Route::kMenu, ID_GRAPH_8000, Route::kGraph8000},
        {"menu 10000", Route::kMenu, ID_GRAPH_10000, Route::kGraph10000},
        {"menu 3000", Route::kMenu, ID_GRAPH_3000, Route::kGraph3000},
        {"F6", Route::kKey, VK_F6, Route::kCompare},
        {"menu COMPARE...", Route::kMenu, ID_COMPARE, Route::kCompare},
        {"F11", Route::kKey, VK_F11, Route::kNothing},
    };
    // The information windows belong to their own templates; a build
    // without one of them cannot show it, and fails here.
    struct Window {
        Route::Effect effect;
        int templateId;
    } windows[] = {{Route::kProcessor, 104},
                   {Route::kVideo, 136},
                   {Route::kSystem, 138},
                   {Route::kOptions, 139},
                   {Route::kCompare, IDD_COMPARE}};
    HWND list = GetDlgItem(Main(), IDC_RESULT_LIST);

    for (const Route& route : routes) {
        SCOPED_TRACE(route.name);
        bool available = true;
        for (const Window& w : windows) {
            if (w.effect == route.effect && !HasDialogTemplate(folder_.Exe(), w.templateId)) {
                ADD_FAILURE() << "the program has no dialog template " << w.templateId;
                available = false;
            }
        }
        if (!available)
            continue;
        // DEL DATA needs a stored record selected; the rest start from
        // "This System".
        ASSERT_TRUE(ChooseComboItem(Main(), IDC_SYSTEM_SELECTOR,
                                    route.effect == Route::kDeleteDialog ? 1 : 0));
        ASSERT_TRUE(Responds(Main()));
        const DWORD sequence = GetClipboardSequenceNumber();
        const std::string title = session_->Text(IDC_GRAPH_TITLE);

        switch (route.kind) {
            case Route::kKey:
                // As typed while the list has the focus.
                ASSERT_TRUE(PostKeyDown(list, route.code));
                break;
            case Route::kMenu:
                ASSERT_TRUE(PostMessageW(Main(), WM_COMMAND, route.code, 0));
                break;
            case Route::kSystemMenu:
                ASSERT_TRUE(PostMessageW(Main(), WM_SYSCOMMAND, route.code, 0));
                break;
        }

        HWND opened = nullptr;
        const char* graph = nullptr;
        switch (route.effect) {
            case Route::kAbout:
                opened = WaitDialog({IDC_CAPTION_LINE}, {IDC_VERSION_LINE});
                if (opened != nullptr) {
                    EXPECT_EQ(StoredText(opened), "Information Velkora");
                }
                break;
            case Route::kProcessor:
                opened = WaitDialog({kProcessorSignature});
                break;
            case Route::kVideo:
                opened = WaitDialog({kVideoCombo, kVideoMessage}, {IDC_TIMEBOX});
                break;
            case Route::kSystem:
                opened = WaitDialog({kSystemPlatformLabel});
                break;
            case Route::kOptions:
                opened = WaitDialog({kOptionsDefaults});
                break;
            case Route::kTestWindow:
                opened = WaitDialog({IDC_TIMEBOX});
                break;
            case Route::kAddDialog:
                opened = WaitAddDialog();
                if (opened != nullptr) {
                    EXPECT_EQ(StoredText(opened), "データの追加");
                }
                break;
            case Route::kDeleteDialog:
                opened = WaitAddDialog();
                if (opened != nullptr) {
                    EXPECT_EQ(StoredText(opened), "データの削除");
                    EXPECT_EQ(ItemText(opened, kAddName), "R1");
                }
                break;
            case Route::kCompare:
                opened = WaitDialog({IDC_CMP_TABLE, IDC_CMP_CHART});
                break;
            case Route::kClipboardText:
            case Route::kClipboardBitmap: {
                EXPECT_TRUE(
                    WaitUntil([&] { return GetClipboardSequenceNumber() != sequence; }, kDialogMs))
                    << "the clipboard did not change";
                ASSERT_TRUE(Responds(Main()));
                if (route.effect == Route::kClipboardText) {
                    std::string text;
                    EXPECT_TRUE(ReadClipboardText(text));
                    EXPECT_EQ(text.compare(0, 17, "[VelkoraDataFile]"), 0) << text;
                } else {
                    Pixels bitmap;
                    EXPECT_TRUE(ReadClipboardBitmap(bitmap));
                }
                break;
            }
            case Route::kGraph3000:
                graph = "GRAPH ( MAX.3000 )";
                break;
            case Route::kGraph5000:
                graph = "GRAPH ( MAX.5000 )";
                break;
            case Route::kGraph8000:
                graph = "GRAPH ( MAX.8000 )";
                break;
            case Route::kGraph10000:
                graph = "GRAPH ( MAX.10000 )";
                break;
            case Route::kNothing:
                ASSERT_TRUE(EarlierPostsHandled(list));
                EXPECT_EQ(WaitMessageBox(0), nullptr) << "a window opened";
                EXPECT_EQ(session_->Text(IDC_GRAPH_TITLE), title);
                break;
        }
        if (graph != nullptr) {
            EXPECT_TRUE(
                WaitUntil([&] { return session_->Text(IDC_GRAPH_TITLE) == graph; }, kDialogMs))
                << session_->Text(IDC_GRAPH_TITLE);
        }
        const bool opens = route.effect <= Route::kCompare;
        if (opens) {
            EXPECT_NE(opened, nullptr) << "no window opened";
            if (opened != nullptr) {
                // The test window cancels its run when stopped before it
                // starts.
                PostCommand(opened, IDCANCEL);
                EXPECT_TRUE(WaitForWindowGone(opened, kDialogMs));
            }
        }
        ASSERT_TRUE(Responds(Main()));
        ASSERT_TRUE(session_->Process().Running());
    }

    // The Exit command closes the program.
    ASSERT_TRUE(PostMessageW(Main(), WM_COMMAND, ID_EXIT, 0));
    EXPECT_TRUE(session_->WaitForExit(kEndMs));
}

TEST_F(CommandsE2ETest, EscClosesTheWindowFromEveryControl) {
    const int controls[] = {IDC_RESULT_LIST,      IDC_SYSTEM_SELECTOR,
                            IDC_START_ALL,        IDC_TXT_COPY,
                            IDC_OPTION,           IDC_ADD_DATA,
                            IDC_DEL_DATA,         IDC_BMP_COPY,
                            IDC_PROCESSOR_BUTTON, IDC_VIDEO_BUTTON,
                            IDC_PLATFORM_BUTTON,  IDC_CLOSE,
                            IDC_SYSTEM_BUTTON,    0};
    for (int id : controls) {
        SCOPED_TRACE(id == 0 ? std::string("the window itself") : std::to_string(id));
        ASSERT_NO_FATAL_FAILURE(StartProgram());
        HWND target = id == 0 ? Main() : GetDlgItem(Main(), id);
        ASSERT_NE(target, nullptr);
        ASSERT_TRUE(PostKeyDown(target, VK_ESCAPE));
        EXPECT_TRUE(session_->WaitForExit(kEndMs)) << "still running";
        EXPECT_EQ(folder_.Profile("VelkoraDataFile", "VelkoraDataNum"), "0")
            << "an orderly end writes the record count";
    }
}

// Keys typed on the real keyboard reach the window with the focus of the
// foreground window; Shift+Tab needs the Shift key really held.
bool TypeKey(UINT key, bool shift = false) {
    std::vector<INPUT> inputs;
    auto add = [&](UINT vk, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(vk);
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    if (shift)
        add(VK_SHIFT, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (shift)
        add(VK_SHIFT, KEYEVENTF_KEYUP);
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) ==
           inputs.size();
}

TEST_F(CommandsE2ETest, TabAndShiftTabReachEveryControlAndTheKeysStillActFromEach) {
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    // Every control a keyboard user must reach, in the window's tab order.
    const std::vector<int> order = {
        IDC_START_ALL,    IDC_SYSTEM_BUTTON,   IDC_SYSTEM_SELECTOR, IDC_PROCESSOR_BUTTON,
        IDC_VIDEO_BUTTON, IDC_PLATFORM_BUTTON, IDC_RESULT_LIST,     IDC_ADD_DATA,
        IDC_DEL_DATA,     IDC_TXT_COPY,        IDC_BMP_COPY,        IDC_OPTION,
        IDC_CLOSE};
    SetForegroundWindow(Main());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == Main(); }, kDialogMs));
    auto focused = [&] {
        HWND focus = FocusOfThread(Main());
        return focus != nullptr ? GetDlgCtrlID(focus) : 0;
    };
    // The focus moves one control per key; a key whose move does not show
    // within the wait fails the walk.
    auto step = [&](bool shift, int expected) {
        EXPECT_TRUE(TypeKey(VK_TAB, shift));
        EXPECT_TRUE(WaitUntil([&] { return focused() == expected; }, kDialogMs))
            << (shift ? "Shift+Tab" : "Tab") << " to " << expected << ", focus on " << focused();
    };
    const auto start = std::find(order.begin(), order.end(), focused());
    ASSERT_NE(start, order.end()) << "the focus starts on a control of the tab order";
    size_t at = static_cast<size_t>(start - order.begin());
    for (size_t n = 0; n < order.size(); ++n) {
        at = (at + 1) % order.size();
        step(false, order[at]);
    }
    for (size_t n = 0; n < order.size(); ++n) {
        at = (at + order.size() - 1) % order.size();
        step(true, order[at]);

        // From each control the function keys still act: F9 copies the
        // record as text, F12 opens the options.
        HWND control = GetDlgItem(Main(), order[at]);
        const DWORD sequence = GetClipboardSequenceNumber();
        ASSERT_TRUE(PostKeyDown(control, VK_F9));
        EXPECT_TRUE(WaitUntil([&] { return GetClipboardSequenceNumber() != sequence; }, kDialogMs))
            << "F9 from " << order[at];
        ASSERT_TRUE(PostKeyDown(control, VK_F12));
        HWND options = WaitDialog({kOptionsDefaults});
        ASSERT_NE(options, nullptr) << "F12 from " << order[at];
        PostCommand(options, IDCANCEL);
        ASSERT_TRUE(WaitForWindowGone(options, kDialogMs));
        ASSERT_TRUE(WaitUntil([&] { return focused() == order[at]; }, kDialogMs))
            << "the focus comes back to " << order[at];
    }
    EXPECT_TRUE(session_->Process().Running()) << "no key of the walk closed the window";
}

TEST_F(CommandsE2ETest, F5FromTheListStartsAllTestsAndTheListStillGetsItsKeys) {
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    HWND list = GetDlgItem(Main(), IDC_RESULT_LIST);
    ASSERT_TRUE(PostKeyDown(list, VK_F5));
    HWND testWindow = WaitDialog({IDC_TIMEBOX});
    ASSERT_NE(testWindow, nullptr) << "F5 starts all tests";
    PostCommand(testWindow, IDCANCEL);  // before the first test: the run is cancelled
    ASSERT_TRUE(WaitForWindowGone(testWindow, kDialogMs));
    ASSERT_TRUE(EarlierPostsHandled(list));
    EXPECT_EQ(WaitDialog({IDC_TIMEBOX}, {}, 0), nullptr) << "one key, one run";

    // Keys the main window does not map reach the list as typed.
    ASSERT_TRUE(PostKeyDown(list, VK_END));
    EXPECT_TRUE(WaitUntil(
        [&] {
            DWORD_PTR focused = 0;
            SendMessageTimeoutW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED,
                                SMTO_NORMAL, 5000, &focused);
            return static_cast<int>(focused) == kTestCount - 1;
        },
        kDialogMs))
        << "End moves the list's focus to its last row";
    // Enter is not the dialog's OK: the window stays open.
    ASSERT_TRUE(PostKeyDown(list, VK_RETURN));
    ASSERT_TRUE(EarlierPostsHandled(list));
    EXPECT_TRUE(session_->Process().Running());
    EXPECT_TRUE(IsWindowVisible(Main()));
}

TEST_F(CommandsE2ETest, TheMenuKeyOpensThePopupInsideTheClientAreaAndItsItemsAct) {
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    POINT origin{0, 0};
    ClientToScreen(Main(), &origin);
    // Menu key or Shift+F10: no position.
    ASSERT_TRUE(
        PostMessageW(Main(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Main()), MAKELPARAM(-1, -1)));
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            menu = FindWindowW(L"#32768", nullptr);
            return menu != nullptr && IsWindowVisible(menu);
        },
        kDialogMs))
        << "the popup menu opened";
    RECT r;
    GetWindowRect(menu, &r);
    EXPECT_EQ(r.left, origin.x + 5);
    EXPECT_EQ(r.top, origin.y + 5);

    // Down six times skips the separators to GRAPH MAX; Right opens it on
    // "3000", Down moves to "5000", Enter chooses it.
    for (UINT key :
         {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}) {
        PostKeyDown(Main(), key);
        Sleep(50);
    }
    EXPECT_TRUE(WaitUntil([&] { return session_->Text(IDC_GRAPH_TITLE) == "GRAPH ( MAX.5000 )"; },
                          kDialogMs))
        << session_->Text(IDC_GRAPH_TITLE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }, kDialogMs));

    // A right click at a point opens it there; Esc closes it without a
    // command.
    ASSERT_TRUE(PostMessageW(Main(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Main()),
                             MAKELPARAM(origin.x + 100, origin.y + 120)));
    ASSERT_TRUE(WaitUntil(
        [&] {
            menu = FindWindowW(L"#32768", nullptr);
            return menu != nullptr && IsWindowVisible(menu);
        },
        kDialogMs));
    GetWindowRect(menu, &r);
    EXPECT_EQ(r.left, origin.x + 100);
    EXPECT_EQ(r.top, origin.y + 120);
    PostKeyDown(Main(), VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }, kDialogMs));
    ASSERT_TRUE(Responds(Main()));
    EXPECT_TRUE(session_->Process().Running()) << "Esc in the menu only closes the menu";
    EXPECT_EQ(session_->Text(IDC_GRAPH_TITLE), "GRAPH ( MAX.5000 )");
}

// A few hundred adds and deletes through the program's dialogs, checked
// against a plain list of the names the file must hold (about a tenth of a
// second each under Wine). Imports are mixed in by the in-process tests of
// the main window, which can drop files on it.
TEST_F(CommandsE2ETest, AddsAndDeletesThroughTheProgramKeepEveryRecord) {
    const int kOperations = 300;
    ASSERT_NO_FATAL_FAILURE(WriteRecords(3));
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    std::vector<std::string> model = {"R1", "R2", "R3"};
    unsigned seed = 20261207;
    auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    for (int step = 0; step < kOperations; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        if (model.empty() || next(3) != 0) {
            const std::string name = "op" + std::to_string(step);
            ASSERT_TRUE(AddThroughDialog(name));
            model.push_back(name);
        } else {
            const int k = 1 + static_cast<int>(next(static_cast<unsigned>(model.size())));
            ASSERT_TRUE(DeleteThroughDialog(k, model[k - 1]));
            model.erase(model.begin() + (k - 1));
        }
    }
    ASSERT_EQ(SelectorCount(), static_cast<int>(model.size()) + 1);
    for (size_t i = 0; i < model.size(); ++i)
        EXPECT_EQ(SelectorEntry(static_cast<int>(i) + 1), model[i]) << "entry " << i + 1;

    PostCommand(Main(), IDC_CLOSE);
    ASSERT_TRUE(session_->WaitForExit(kEndMs));
    EXPECT_EQ(folder_.Profile("VelkoraDataFile", "VelkoraDataNum"), std::to_string(model.size()));
    for (size_t i = 0; i < model.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        EXPECT_EQ(folder_.Profile(SystemSection(n), "SystemName"), model[i]) << "record " << n;
        // Every record keeps all three sections.
        EXPECT_NE(folder_.Profile(ProcessorSection(n), "ProcessorName"), kAbsent) << n;
        EXPECT_NE(folder_.Profile(TimingSection(n), kTestNames[19]), kAbsent) << n;
    }
}

}  // namespace
}  // namespace e2e
