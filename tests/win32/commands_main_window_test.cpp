// The main window in process, driven like a user from a second thread: files
// dropped on it (a drop handle is memory of the receiving process, so this
// is where drops can be made), the popup menu and its radio mark, the key
// routing, the help request, BMP COPY without a picture, failed saves, and a
// few hundred adds, imports and deletes checked against what the data file
// must hold. The window keeps its data file beside this test program.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "bench/mark_result.h"
#include "cpu/cpu_info.h"
#include "framework/application.h"
#include "framework/text.h"
#include "mainwnd/main_dlg.h"
#include "records/atomic_file.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record.h"
#include "records/record_sections.h"
#include "records/record_store.h"
#include "res/resource.h"
#include "sysinfo/sys_info.h"
#include "tests/win32/commands_test_support.h"
#include "tools/driver/remote_ui.h"

namespace {

using namespace commands_test;

// The names ReadSystemNames lists, without their numbers.
std::vector<std::string> NamesOf(const std::vector<records::StoredName>& stored) {
    std::vector<std::string> names;
    for (const records::StoredName& s : stored)
        names.push_back(s.name);
    return names;
}

const DWORD kWaitMs = 10000;
const int kAddNameLabel = IDC_ADD_NAME_LABEL;

std::string ModuleFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

// Records 1..names.size() named as given, record i with times i + 0.25 t and
// a processor clocked at 1000 + i MHz, so that moved records can be told
// apart; count is what the options section claims (-1: the real count).
std::string DataFileBytes(const std::vector<std::string>& names, int count = -1) {
    records::IniFile file;
    for (size_t i = 0; i < names.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        CSysInfo sys;
        sys.SystemName = names[i];
        sys.UserName = "user";
        sys.PCName = "PC";
        sys.Date = "2025.01/02.03:04";
        sys.MEMO = "memo of " + names[i];
        records::SaveSection(file, n, sys);
        CCpuInfo cpu;
        std::snprintf(cpu.ProcessorName, sizeof cpu.ProcessorName, "Processor %d", n);
        cpu.Frequency = 1000.0 + n;
        records::SaveSection(file, n, cpu);
        CMarkResult times;
        for (int t = 0; t < bench::kTestCount; ++t)
            times.m_fTime[t] = static_cast<float>(n) + 0.25f * static_cast<float>(t);
        records::SaveSection(file, n, times);
    }
    records::WriteRecordCount(file, count < 0 ? static_cast<int32_t>(names.size()) : count);
    return file.Render();
}

std::vector<std::string> Names(const char* stem, int count) {
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i)
        names.push_back(stem + std::to_string(i));
    return names;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    return CloseHandle(file) && ok;
}

std::string ReadBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty())
        ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

// A key as the platform's own profile functions read it.
std::string Profile(const std::string& path, const std::string& section, const std::string& key) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    char value[256] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "<absent>", value, sizeof value,
                             path.c_str());
    return value;
}

// A drop of the given files, as the shell hands it over.
HGLOBAL MakeDrop(const std::vector<std::string>& paths) {
    size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& p : paths)
        size += p.size() + 1;
    HGLOBAL drop = GlobalAlloc(GHND, size);
    auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = FALSE;
    char* at = reinterpret_cast<char*>(files) + sizeof(DROPFILES);
    for (const std::string& p : paths) {
        std::memcpy(at, p.c_str(), p.size() + 1);
        at += p.size() + 1;
    }
    GlobalUnlock(drop);
    return drop;
}

// A drop of one file named in UTF-16, as the shell hands over any name.
HGLOBAL MakeWideDrop(const std::wstring& path) {
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), path.c_str(),
                (path.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(drop);
    return drop;
}

class CommandsMainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // The test folder's name is plain ASCII: the ANSI path the
        // platform's profile functions take here names the same file.
        dataPath_ = fw::NarrowAnsi(records::DataFilePath(fw::ExecutablePath()));
        RemoveFiles();
    }
    void TearDown() override { RemoveFiles(); }

    void RemoveFiles() {
        SetFileAttributesA(dataPath_.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(dataPath_.c_str());
        for (const std::string& f : extraFiles_) {
            SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(f.c_str());
        }
    }

    // A file beside this program, removed after the test.
    std::string Extra(const std::string& name, const std::string& bytes) {
        const std::string path = ModuleFolder() + "commands-test-" + name;
        EXPECT_TRUE(WriteBytes(path, bytes));
        extraFiles_.push_back(path);
        return path;
    }

    // Runs the main window over the data file given (none when empty) and
    // the script against it; afterwards closes whatever the script left
    // open and the window itself.
    void Run(const std::string& dataFile, const std::function<void(HWND)>& script) {
        if (!dataFile.empty()) {
            ASSERT_TRUE(WriteBytes(dataPath_, dataFile));
        }
        const DWORD ui = GetCurrentThreadId();
        HWND main = nullptr;
        CMainDlg dlg;
        RunWithScript(
            [&] { dlg.DoModal(); },
            [&] {
                main = WaitThreadDialog(ui, {IDC_START_ALL});
                ASSERT_NE(main, nullptr) << "the main window did not open";
                ASSERT_TRUE(WaitUntil(
                    [&] { return ItemText(main, IDC_GRAPH_TITLE).compare(0, 7, L"GRAPH (") == 0; },
                    kWaitMs));
                script(main);
            },
            [&] {
                for (int round = 0; round < 3; ++round)
                    for (HWND w : ThreadDialogs(ui, {}))
                        if (w != main)
                            Click(w, IDCANCEL);
                if (main != nullptr)
                    Click(main, IDC_CLOSE);
                else
                    for (HWND w : ThreadDialogs(ui, {}))
                        Click(w, IDC_CLOSE);
            });
    }

    // Sends a drop of the files to the window; the handle is released by the
    // window.
    void Drop(HWND main, const std::vector<std::string>& paths) {
        HGLOBAL drop = MakeDrop(paths);
        SendMessageW(main, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    }

    static int SelectorCount(HWND main) {
        return static_cast<int>(SendDlgItemMessageW(main, IDC_SYSTEM_SELECTOR, CB_GETCOUNT, 0, 0));
    }
    static int Selection(HWND main) {
        return static_cast<int>(SendDlgItemMessageW(main, IDC_SYSTEM_SELECTOR, CB_GETCURSEL, 0, 0));
    }
    static std::string Entry(HWND main, int i) {
        wchar_t text[256] = {};
        SendDlgItemMessageW(main, IDC_SYSTEM_SELECTOR, CB_GETLBTEXT, i,
                            reinterpret_cast<LPARAM>(text));
        char ansi[512] = {};
        WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi, nullptr, nullptr);
        return ansi;
    }
    // Selects entry i as a user would (the window re-reads the record).
    static void Choose(HWND main, int i) {
        SendDlgItemMessageW(main, IDC_SYSTEM_SELECTOR, CB_SETCURSEL, i, 0);
        SendMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_SYSTEM_SELECTOR, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(main, IDC_SYSTEM_SELECTOR)));
    }

    std::string Key(const std::string& section, const std::string& key) const {
        return Profile(dataPath_, section, key);
    }

    std::string dataPath_;
    std::vector<std::string> extraFiles_;
};

TEST_F(CommandsMainWindowTest, AFileWithThreeRecordsDroppedOnFiveAppendsThemAsSixToEight) {
    std::vector<std::string> sourceNames = {"Dropped A", "Dropped B", "Dropped C"};
    // The dropped file's record 0 is not imported.
    std::string sourceBytes = DataFileBytes(sourceNames);
    sourceBytes += "[SystemInfo-DATA000]\r\nSystemName=not imported\r\n";
    const std::string source = Extra("three.vlk", sourceBytes);
    Run(DataFileBytes(Names("R", 5)), [&](HWND main) {
        ASSERT_EQ(SelectorCount(main), 6);
        Choose(main, 2);
        const std::wstring shownTime = ItemText(main, IDC_TOTAL_TIME);
        Drop(main, {source});
        EXPECT_EQ(SelectorCount(main), 9);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Entry(main, 6 + i), sourceNames[i]) << "entry " << 6 + i;
        EXPECT_EQ(Selection(main), 2) << "the selection stays";
        EXPECT_EQ(ItemText(main, IDC_TOTAL_TIME), shownTime) << "and so does what it shows";
        EXPECT_EQ(Key("VelkoraDataFile", "VelkoraDataNum"), "8")
            << "the count is written with the records";
        for (int i = 0; i < 3; ++i) {
            const int n = 6 + i;
            char section[32];
            std::snprintf(section, sizeof section, "SystemInfo-DATA%03d", n);
            EXPECT_EQ(Key(section, "SystemName"), sourceNames[i]);
            EXPECT_EQ(Key(section, "MEMO"), "memo of " + sourceNames[i]);
            std::snprintf(section, sizeof section, "InfoCPU-DATA%03d", n);
            EXPECT_EQ(Key(section, "ProcessorName"), "Processor " + std::to_string(i + 1));
            std::snprintf(section, sizeof section, "Velkora-DATA%03d", n);
            char time[32];
            std::snprintf(time, sizeof time, "%f", (i + 1) + 0.25 * 19);
            EXPECT_EQ(Key(section, "Enable / Disable Controls"), time);
        }
        EXPECT_EQ(Key("SystemInfo-DATA005", "SystemName"), "R5") << "the stored ones stay";
    });
}

TEST_F(CommandsMainWindowTest, DropsThatHoldNoRecordsToImportChangeNothing) {
    const std::string noRecords =
        Extra("options-only.vlk", "[VelkoraDataFile]\r\nVelkoraLoop=5000\r\n");
    const std::string zeroCount = Extra("zero.vlk", DataFileBytes(Names("Z", 2), 0));
    const std::string empty = Extra("empty.vlk", "");
    const std::string garbage = Extra("garbage.bin", std::string("\x00\xff\x13[\x81", 5) + "==");
    const std::string twoRecords = Extra("two.vlk", DataFileBytes(Names("T", 2)));
    std::string ownInOtherCase = dataPath_;
    for (char& c : ownInOtherCase)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    ASSERT_NE(ownInOtherCase, dataPath_);
    struct Case {
        const char* what;
        std::vector<std::string> files;
    } cases[] = {
        {"the program's own data file, in other letter case", {ownInOtherCase}},
        {"a file with options but no records", {noRecords}},
        {"records whose count reads 0", {zeroCount}},
        {"an empty file", {empty}},
        {"a file that is no data file", {garbage}},
        {"a file that does not exist", {ModuleFolder() + "commands-test-missing.vlk"}},
        {"a folder", {ModuleFolder()}},
        {"several files: only the first counts", {noRecords, twoRecords}},
    };
    Run(DataFileBytes(Names("R", 3)), [&](HWND main) {
        // The file as the window keeps it once it is up.
        const std::string before = ReadBytes(dataPath_);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            HGLOBAL drop = MakeDrop(c.files);
            SendMessageW(main, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
            EXPECT_EQ(GlobalFlags(drop), static_cast<UINT>(GMEM_INVALID_HANDLE))
                << "the drop is released";
            EXPECT_EQ(SelectorCount(main), 4);
            EXPECT_EQ(ReadBytes(dataPath_), before);
            EXPECT_TRUE(
                ThreadDialogs(GetWindowThreadProcessId(main, nullptr), {}, {IDC_START_ALL}).empty())
                << "no message";
        }
        // The second file of that last drop imports when dropped first.
        Drop(main, {twoRecords, noRecords});
        EXPECT_EQ(SelectorCount(main), 6);
        EXPECT_EQ(Entry(main, 4), "T1");
        EXPECT_EQ(Entry(main, 5), "T2");
    });
}

TEST_F(CommandsMainWindowTest, AFileClaimingFarMoreRecordsThanItHoldsImportsThoseItHolds) {
    const std::string liar = Extra("liar.vlk", DataFileBytes(Names("L", 2), 2000000000));
    Run(DataFileBytes(Names("R", 1)), [&](HWND main) {
        Drop(main, {liar});
        EXPECT_EQ(SelectorCount(main), 4);
        EXPECT_EQ(Entry(main, 2), "L1");
        EXPECT_EQ(Entry(main, 3), "L2");
        EXPECT_EQ(Key("VelkoraDataFile", "VelkoraDataNum"), "3");
        EXPECT_EQ(Key("SystemInfo-DATA004", "SystemName"), "<absent>");
    });
}

TEST_F(CommandsMainWindowTest, TxtCopyOfRecordThreePastedIntoAFileImportsAsOneRecord) {
    Run(DataFileBytes(Names("R", 5)), [&](HWND main) {
        Choose(main, 3);
        const DWORD sequence = GetClipboardSequenceNumber();
        SendMessageW(main, WM_COMMAND, ID_COPY_TEXT, 0);
        ASSERT_NE(GetClipboardSequenceNumber(), sequence);
        ASSERT_TRUE(WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, kWaitMs));
        std::string text;
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
        const std::string header = "[VelkoraDataFile]\r\n\tVelkoraDataNum = 1\r\n\r\n";
        ASSERT_EQ(text.compare(0, header.size(), header), 0) << text;
        EXPECT_NE(text.find("[SystemInfo-DATA001]\r\n\tSystemName = R3\r\n"), std::string::npos);

        const std::string pasted = Extra("pasted.txt", text);
        Drop(main, {pasted});
        ASSERT_EQ(SelectorCount(main), 7);
        EXPECT_EQ(Entry(main, 6), "R3");
        for (const char* key : {"SystemName", "UserName", "PCName", "Date", "MEMO", "Setting"})
            EXPECT_EQ(Key("SystemInfo-DATA006", key), Key("SystemInfo-DATA003", key)) << key;
        // The pasted text's own spelling is imported as it stands ("0x0" for
        // 0): the values read the same.
        for (const char* key : {"ProcessorName", "Signature", "Frequency", "MultiProcessor"}) {
            const std::string imported = Key("InfoCPU-DATA006", key);
            const std::string stored = Key("InfoCPU-DATA003", key);
            if (imported != stored) {
                EXPECT_EQ(std::strtod(imported.c_str(), nullptr),
                          std::strtod(stored.c_str(), nullptr))
                    << key << ": " << imported << " / " << stored;
            }
        }
        for (const char* key : {"Standard Text", "TreeView", "Enable / Disable Controls"})
            EXPECT_EQ(Key("Velkora-DATA006", key), Key("Velkora-DATA003", key)) << key;
    });
}

TEST_F(CommandsMainWindowTest, AFailedSaveLeavesTheCountAndTheSelectorAsTheFileHasThem) {
    const std::string two = Extra("two.vlk", DataFileBytes(Names("T", 2)));
    Run(DataFileBytes(Names("R", 2)), [&](HWND main) {
        const DWORD ui = GetWindowThreadProcessId(main, nullptr);
        const std::string before = ReadBytes(dataPath_);
        SetFileAttributesA(dataPath_.c_str(), FILE_ATTRIBUTE_READONLY);
        // The save failure is reported in a message box: posted, so the
        // script can close it.
        PostMessageW(main, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({two})), 0);
        HWND box = WaitThreadDialog(ui, {}, {IDC_START_ALL});
        ASSERT_NE(box, nullptr) << "the failed save is reported";
        Click(box, IDOK);
        ASSERT_TRUE(WaitGone(box));
        SendMessageW(main, WM_NULL, 0, 0);
        EXPECT_EQ(SelectorCount(main), 3) << "no entries for records the file does not hold";
        EXPECT_EQ(ReadBytes(dataPath_), before);

        // An add that cannot be saved leaves the selector too.
        Click(main, IDC_ADD_DATA);
        HWND add = WaitThreadDialog(ui, {kAddNameLabel});
        ASSERT_NE(add, nullptr);
        Click(add, IDOK);
        box = WaitThreadDialog(ui, {}, {IDC_START_ALL, kAddNameLabel});
        ASSERT_NE(box, nullptr);
        Click(box, IDOK);
        ASSERT_TRUE(WaitGone(box));
        SendMessageW(main, WM_NULL, 0, 0);
        EXPECT_EQ(SelectorCount(main), 3);

        // Once the file can be written, the records go where the file needs them.
        SetFileAttributesA(dataPath_.c_str(), FILE_ATTRIBUTE_NORMAL);
        Drop(main, {two});
        EXPECT_EQ(SelectorCount(main), 5);
        EXPECT_EQ(Key("SystemInfo-DATA003", "SystemName"), "T1");
        EXPECT_EQ(Key("SystemInfo-DATA004", "SystemName"), "T2");
        EXPECT_EQ(Key("VelkoraDataFile", "VelkoraDataNum"), "4");
    });
}

TEST_F(CommandsMainWindowTest, AnAddedRecordIsSelectedAndShown) {
    Run(DataFileBytes(Names("R", 2)), [&](HWND main) {
        const DWORD ui = GetWindowThreadProcessId(main, nullptr);
        Choose(main, 2);
        ASSERT_NE(ItemText(main, IDC_TOTAL_TIME), L"0.000");
        Click(main, IDC_ADD_DATA);
        HWND add = WaitThreadDialog(ui, {kAddNameLabel});
        ASSERT_NE(add, nullptr);
        Click(add, IDOK);
        ASSERT_TRUE(WaitGone(add));
        ASSERT_TRUE(WaitUntil([&] { return SelectorCount(main) == 4; }, kWaitMs));
        EXPECT_EQ(Selection(main), 3);
        // Record 3 carries record 0's times, which are zero after a start.
        EXPECT_EQ(ItemText(main, IDC_TOTAL_TIME), L"0.000")
            << "the list shows the record the selector names";
    });
}

// The stored records a user has are never hidden by a gap, nor overwritten
// after a start-up that could not read the file, and ADD stores what the
// window shows for "This System" even when saving it failed.
std::string WithoutRecord(const std::string& bytes, int n) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "-DATA%03d]", n);
    std::string kept;
    bool keep = true;
    for (size_t at = 0; at < bytes.size();) {
        size_t end = bytes.find('\n', at);
        end = end == std::string::npos ? bytes.size() : end + 1;
        const std::string line = bytes.substr(at, end - at);
        if (!line.empty() && line[0] == '[')
            keep = line.find(suffix) == std::string::npos;
        if (keep)
            kept += line;
        at = end;
    }
    return kept;
}

void AddWithTheProposedName(HWND main) {
    const DWORD ui = GetWindowThreadProcessId(main, nullptr);
    Click(main, IDC_ADD_DATA);
    HWND add = WaitThreadDialog(ui, {kAddNameLabel});
    ASSERT_NE(add, nullptr);
    Click(add, IDOK);
    ASSERT_TRUE(WaitGone(add));
    SendMessageW(main, WM_NULL, 0, 0);
}

TEST_F(CommandsMainWindowTest, RecordsAfterAGapAreListedAndAddsGoAfterThem) {
    Run(WithoutRecord(DataFileBytes(Names("R", 5)), 3), [&](HWND main) {
        // Record 3 has no section: it is not listed, and the others are.
        EXPECT_EQ(SelectorCount(main), 5);
        EXPECT_EQ(Entry(main, 3), "R4");
        EXPECT_EQ(Entry(main, 4), "R5");
        AddWithTheProposedName(main);
        AddWithTheProposedName(main);
        EXPECT_EQ(SelectorCount(main), 7);
        EXPECT_EQ(Key("SystemInfo-DATA004", "SystemName"), "R4");
        EXPECT_EQ(Key("SystemInfo-DATA005", "SystemName"), "R5");
        EXPECT_NE(Key("SystemInfo-DATA007", "SystemName"), "<absent>");
        EXPECT_EQ(Key("VelkoraDataFile", "VelkoraDataNum"), "7");
    });
}

TEST_F(CommandsMainWindowTest, AFileUnreadableAtStartUpIsNotOverwrittenOnceReadable) {
    ASSERT_TRUE(WriteBytes(dataPath_, DataFileBytes(Names("R", 3))));
    HANDLE lock =
        CreateFileA(dataPath_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    const DWORD ui = GetCurrentThreadId();
    // Start-up cannot write record 0 and says so; then the file frees up.
    std::thread unlock([&] {
        HWND box = WaitThreadDialog(ui, {}, {IDC_START_ALL});
        CloseHandle(lock);
        if (box != nullptr)
            Click(box, IDOK);
    });
    Run("", [&](HWND main) {
        unlock.join();
        EXPECT_EQ(SelectorCount(main), 1);
        AddWithTheProposedName(main);
        EXPECT_EQ(Key("SystemInfo-DATA001", "SystemName"), "R1");
        EXPECT_EQ(Key("SystemInfo-DATA003", "SystemName"), "R3");
        EXPECT_NE(Key("SystemInfo-DATA004", "SystemName"), "<absent>");
        EXPECT_EQ(Key("VelkoraDataFile", "VelkoraDataNum"), "4");
        EXPECT_EQ(SelectorCount(main), 5) << "the selector follows the file";
    });
    if (unlock.joinable())
        unlock.join();
}

TEST_F(CommandsMainWindowTest, AddStoresTheTimesShownAfterSavingThemFailed) {
    const int kComboBox = 13;  // one of the quickest tests
    Run(DataFileBytes(Names("R", 1)), [&](HWND main) {
        const DWORD ui = GetWindowThreadProcessId(main, nullptr);
        HWND list = GetDlgItem(main, IDC_RESULT_LIST);
        LVITEMW row{};
        row.stateMask = row.state = LVIS_SELECTED;
        SendMessageW(list, LVM_SETITEMSTATE, kComboBox, reinterpret_cast<LPARAM>(&row));
        SetFileAttributesA(dataPath_.c_str(), FILE_ATTRIBUTE_READONLY);
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(ID_START_SELECTED, 0), 0);
        HWND box = WaitThreadDialog(ui, {}, {IDC_START_ALL, IDC_TIMEBOX}, 60000);
        ASSERT_NE(box, nullptr) << "the failed save of the run is reported";
        Click(box, IDOK);
        ASSERT_TRUE(WaitGone(box));
        SetFileAttributesA(dataPath_.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(Key("Velkora-DATA000", "ComboBox Control"), "0.000000");

        wchar_t shown[32] = {};
        LVITEMW cell{};
        cell.iSubItem = 1;
        cell.pszText = shown;
        cell.cchTextMax = 32;
        SendMessageW(list, LVM_GETITEMTEXTW, kComboBox, reinterpret_cast<LPARAM>(&cell));
        ASSERT_GT(_wtof(shown), 0.0);
        AddWithTheProposedName(main);
        EXPECT_NEAR(std::atof(Key("Velkora-DATA002", "ComboBox Control").c_str()), _wtof(shown),
                    0.0006);
    });
}

// Another running copy of the program saves while this window's add or
// delete dialog is open: the answer is applied to the file as it is then,
// and the selector follows the file (the book's cases, a record gone before
// its delete among them, are in records_record_book_test.cpp).
TEST_F(CommandsMainWindowTest, ARecordAnotherCopySavesWhileTheDialogIsOpenIsKept) {
    const records::FilePath data = fw::WidenAnsi(dataPath_);
    auto otherCopyAdds = [&](const char* name) {
        records::IniFile file;
        ASSERT_TRUE(file.Load(data));
        records::Record record;
        record.Load(file, 0);
        record.system.SystemName = name;
        records::AddRecord(file, records::StoredRecordCount(file), record);
        ASSERT_TRUE(file.Save());
    };
    Run(DataFileBytes(Names("R", 3)), [&](HWND main) {
        const DWORD ui = GetWindowThreadProcessId(main, nullptr);
        // ADD: the other copy's record 4 stays, ours follows it as 5.
        Click(main, IDC_ADD_DATA);
        HWND add = WaitThreadDialog(ui, {kAddNameLabel});
        ASSERT_NE(add, nullptr);
        SendMessageA(GetDlgItem(add, IDC_ADD_NAME), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>("ours"));
        otherCopyAdds("theirs");
        Click(add, IDOK);
        // The window saves once the dialog has gone, then selects the new record.
        ASSERT_TRUE(WaitUntil([&] { return Selection(main) == 5; }, kWaitMs));
        EXPECT_EQ(Key("SystemInfo-DATA004", "SystemName"), "theirs");
        EXPECT_EQ(Key("SystemInfo-DATA005", "SystemName"), "ours");
        EXPECT_EQ(Key("VelkoraDataFile", "VelkoraDataNum"), "5");
        EXPECT_EQ(SelectorCount(main), 6) << "the selector follows the file";
        EXPECT_EQ(Entry(main, 4), "theirs");

        // DEL of record 2 while the other copy adds: R2 goes, theirs and
        // ours move down, the new one stays.
        Choose(main, 2);
        Click(main, IDC_DEL_DATA);
        HWND del = WaitThreadDialog(ui, {kAddNameLabel});
        ASSERT_NE(del, nullptr);
        otherCopyAdds("later");
        Click(del, IDOK);
        // After a delete the window shows "This System".
        ASSERT_TRUE(WaitUntil([&] { return Selection(main) == 0; }, kWaitMs));
        const std::vector<std::string> expected = {"R1", "R3", "theirs", "ours", "later"};
        records::IniFile file;
        ASSERT_TRUE(file.Load(data));
        EXPECT_EQ(NamesOf(records::ReadSystemNames(file, records::StoredRecordCount(file))),
                  expected);
        EXPECT_EQ(SelectorCount(main), 6);
    });
}

// Folders whose names the ANSI code page cannot spell, for the dropped file
// and for the program's own file reached by its short name.
TEST_F(CommandsMainWindowTest, DropsFromAnyFolderImportAndTheOwnFileByItsShortNameDoesNot) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const records::FilePath folder = std::wstring(temp) + L"velkora caf\u00e9 \u2713 \u7d50\u679c";
    CreateDirectoryW(folder.c_str(), nullptr);
    const records::FilePath dropped = folder + L"\\two \u00e9.vlk";
    ASSERT_TRUE(records::ReplaceFileAtomically(dropped, DataFileBytes(Names("Far", 2))));
    Run(DataFileBytes(Names("R", 1)), [&](HWND main) {
        SendMessageW(main, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeWideDrop(dropped)), 0);
        EXPECT_EQ(SelectorCount(main), 4);
        EXPECT_EQ(Entry(main, 2), "Far1");
        EXPECT_EQ(Key("SystemInfo-DATA003", "SystemName"), "Far2");

        wchar_t shortName[MAX_PATH] = {};
        ASSERT_GT(GetShortPathNameW(fw::WidenAnsi(dataPath_).c_str(), shortName, MAX_PATH), 0u);
        const std::string before = ReadBytes(dataPath_);
        SendMessageW(main, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeWideDrop(shortName)), 0);
        EXPECT_EQ(SelectorCount(main), 4) << "its own file is not imported";
        EXPECT_EQ(ReadBytes(dataPath_), before);
    });
    DeleteFileW(dropped.c_str());
    RemoveDirectoryW(folder.c_str());
}

// A file of a few bytes that claims a huge count adds the records it holds,
// not the count it claims.
TEST_F(CommandsMainWindowTest, ATinyFileClaimingAHugeCountAddsOnlyWhatItHolds) {
    const std::string tiny = Extra(
        "tiny.vlk", "[VelkoraDataFile]\r\nVelkoraDataNum=99999\r\n[SystemInfo-DATA99999]\r\n");
    Run(DataFileBytes(Names("R", 3)), [&](HWND main) {
        const size_t before = ReadBytes(dataPath_).size();
        Drop(main, {tiny});
        EXPECT_LE(SelectorCount(main), 5);
        EXPECT_LE(ReadBytes(dataPath_).size(), before + 600);
    });
}

// Adds, imports and deletes in random order against a plain list of the
// names the file must hold.
TEST_F(CommandsMainWindowTest, HundredsOfAddsImportsAndDeletesKeepEveryRecord) {
    const int kOperations = 300;
    Run(DataFileBytes(Names("R", 3)), [&](HWND main) {
        const DWORD ui = GetWindowThreadProcessId(main, nullptr);
        std::vector<std::string> model = Names("R", 3);
        unsigned seed = 424242;
        auto next = [&seed](unsigned range) {
            seed = seed * 1103515245u + 12345u;
            return (seed >> 16) % range;
        };
        for (int step = 0; step < kOperations; ++step) {
            SCOPED_TRACE("step " + std::to_string(step));
            const unsigned op = next(10);
            const int before = SelectorCount(main);
            if (op < 4) {
                Click(main, IDC_ADD_DATA);
                HWND add = WaitThreadDialog(ui, {kAddNameLabel});
                ASSERT_NE(add, nullptr);
                const std::string name = "add" + std::to_string(step);
                SendMessageA(GetDlgItem(add, IDC_ADD_NAME), WM_SETTEXT, 0,
                             reinterpret_cast<LPARAM>(name.c_str()));
                Click(add, IDOK);
                ASSERT_TRUE(WaitUntil([&] { return SelectorCount(main) == before + 1; }, kWaitMs));
                model.push_back(name);
            } else if (op < 7) {
                std::vector<std::string> names;
                const int m = 1 + static_cast<int>(next(3));
                for (int i = 1; i <= m; ++i)
                    names.push_back("imp" + std::to_string(step) + "." + std::to_string(i));
                const std::string file =
                    Extra("import" + std::to_string(step) + ".vlk", DataFileBytes(names));
                Drop(main, {file});
                ASSERT_EQ(SelectorCount(main), before + m);
                model.insert(model.end(), names.begin(), names.end());
            } else if (!model.empty()) {
                const int k = 1 + static_cast<int>(next(static_cast<unsigned>(model.size())));
                Choose(main, k);
                Click(main, IDC_DEL_DATA);
                HWND del = WaitThreadDialog(ui, {kAddNameLabel});
                ASSERT_NE(del, nullptr);
                const std::wstring shown = ItemText(del, IDC_ADD_NAME);
                Click(del, IDOK);
                ASSERT_TRUE(WaitUntil([&] { return SelectorCount(main) == before - 1; }, kWaitMs));
                EXPECT_EQ(Selection(main), 0);
                char ansi[256] = {};
                WideCharToMultiByte(CP_ACP, 0, shown.c_str(), -1, ansi, sizeof ansi, nullptr,
                                    nullptr);
                EXPECT_EQ(ansi, model[k - 1]);
                model.erase(model.begin() + (k - 1));
            }
        }
        ASSERT_EQ(SelectorCount(main), static_cast<int>(model.size()) + 1);
        EXPECT_EQ(Key("VelkoraDataFile", "VelkoraDataNum"), std::to_string(model.size()));
        records::IniFile file;
        ASSERT_TRUE(file.Load(fw::WidenAnsi(dataPath_)));
        const std::vector<std::string> stored =
            NamesOf(records::ReadSystemNames(file, static_cast<int32_t>(model.size())));
        EXPECT_EQ(stored, model);
        for (size_t i = 0; i < model.size(); ++i)
            EXPECT_EQ(Entry(main, static_cast<int>(i) + 1), model[i]);
    });
}

// The popup menu's item texts, in order, as the resource holds them
// (submenus indented, separators as "-").
std::vector<std::string> MenuTexts(HMENU menu, const std::string& indent) {
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        wchar_t text[128] = {};
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 128;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        char line[300];
        char ansi[256] = {};
        WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi, nullptr, nullptr);
        if (info.fType & MFT_SEPARATOR)
            std::snprintf(line, sizeof line, "%s-", indent.c_str());
        else if (info.hSubMenu != nullptr)
            std::snprintf(line, sizeof line, "%s%s >", indent.c_str(), ansi);
        else
            std::snprintf(line, sizeof line, "%s%u %s", indent.c_str(), info.wID, ansi);
        // (A separator is always reported greyed.)
        if (!(info.fType & MFT_SEPARATOR) && (info.fState & (MFS_CHECKED | MFS_GRAYED)))
            std::strncat(line, " (checked or greyed)", sizeof line - std::strlen(line) - 1);
        texts.push_back(line);
        if (info.hSubMenu != nullptr) {
            for (const std::string& sub : MenuTexts(info.hSubMenu, indent + "  "))
                texts.push_back(sub);
        }
    }
    return texts;
}

TEST(CommandsPopupMenuTest, MenuResourceHoldsTheItemsInOrder) {
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_POPUP));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 1);
    const std::vector<std::string> expected = {
        "32775 START ALL (F5)",
        "32771 START (Selected Item)",
        "-",
        "DATA >",
        "  32776 ADD\t(F7)",
        "  32777 DELETE\t(F8)",
        "COPY >",
        "  32773 TEXT\t(F9)",
        "  32774 BITMAP\t(F10)",
        "-",
        "32789 Option...  (F12)",
        "GRAPH MAX >",
        "  32784 3000",
        "  32785 5000",
        "  32786 8000",
        "  32787 10000",
        "-",
        "Information >",
        "  32778 Processor...\t(F2)",
        "  32779 VideoCard...\t(F3)",
        "  32780 Platform...\t(F4)",
        "  -",
        "  32782 Velkora...\t(F1)",
        "32791 COMPARE...\t(F6)",
        "-",
        "32790 Exit (ESC)",
    };
    EXPECT_EQ(MenuTexts(GetSubMenu(menu, 0), ""), expected);
    DestroyMenu(menu);
}

// The open popup menu of the thread: its window and its menu.
bool OpenPopup(HWND& window, HMENU& menu) {
    window = FindWindowW(L"#32768", nullptr);
    if (window == nullptr || !IsWindowVisible(window))
        return false;
    menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
    return menu != nullptr;
}

TEST_F(CommandsMainWindowTest, ThePopupMenuMarksTheGraphMaximumInForce) {
    struct Case {
        const char* graph;  // in the data file
        UINT marked;        // 0: none
    } cases[] = {
        {"3000", ID_GRAPH_3000}, {"8000", ID_GRAPH_8000}, {"15000", 0}, {"10000", ID_GRAPH_10000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.graph);
        RemoveFiles();
        const std::string data =
            std::string("[VelkoraDataFile]\r\nVelkoraGraph=") + c.graph + "\r\n";
        Run(data, [&](HWND main) {
            POINT origin{0, 0};
            ClientToScreen(main, &origin);
            // The menu key: no position.
            PostMessageW(main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main), MAKELPARAM(-1, -1));
            HWND window = nullptr;
            HMENU menu = nullptr;
            ASSERT_TRUE(WaitUntil([&] { return OpenPopup(window, menu); }, kWaitMs));
            RECT r;
            GetWindowRect(window, &r);
            EXPECT_EQ(r.left, origin.x + 5);
            EXPECT_EQ(r.top, origin.y + 5);
            for (UINT id = ID_GRAPH_3000; id <= ID_GRAPH_10000; ++id) {
                const UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
                EXPECT_EQ((state & MF_CHECKED) != 0, id == c.marked) << id;
                if (id == c.marked) {
                    MENUITEMINFOW info{};
                    info.cbSize = sizeof info;
                    info.fMask = MIIM_FTYPE;
                    GetMenuItemInfoW(menu, id, FALSE, &info);
                    EXPECT_NE(info.fType & MFT_RADIOCHECK, 0u) << "a radio mark";
                }
            }
            for (UINT id : {ID_START_ALL, ID_ADD_DATA, ID_COPY_TEXT, ID_EXIT})
                EXPECT_EQ(GetMenuState(menu, id, MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED), 0u)
                    << id;
            // Closing the menu chooses nothing.
            SendMessageW(main, WM_CANCELMODE, 0, 0);
            EXPECT_TRUE(WaitGone(window));
        });
    }
}

TEST_F(CommandsMainWindowTest, KeysReachTheWindowOnceAndEnterDoesNotCloseIt) {
    Run(std::string(), [&](HWND main) {
        const DWORD ui = GetWindowThreadProcessId(main, nullptr);
        HWND list = GetDlgItem(main, IDC_RESULT_LIST);
        // F7 addressed to the window itself (no control focused): one
        // add-data dialog, not a second one after it.
        KeyDown(main, VK_F7);
        HWND add = WaitThreadDialog(ui, {kAddNameLabel});
        ASSERT_NE(add, nullptr);
        Click(add, IDCANCEL);
        ASSERT_TRUE(WaitGone(add));
        ASSERT_TRUE(e2e::EarlierPostsHandled(list));
        HWND again = WaitThreadDialog(ui, {kAddNameLabel}, {}, 0);
        EXPECT_EQ(again, nullptr) << "the key acted twice";
        if (again != nullptr) {
            Click(again, IDCANCEL);
            WaitGone(again);
        }

        // Enter in the list and on a button is no OK.
        KeyDown(list, VK_RETURN);
        KeyDown(GetDlgItem(main, IDC_TXT_COPY), VK_RETURN);
        ASSERT_TRUE(e2e::EarlierPostsHandled(list));
        EXPECT_TRUE(IsWindowVisible(main)) << "Enter closed the window";

        // The help request is answered and opens nothing.
        HELPINFO help{};
        help.cbSize = sizeof help;
        help.iContextType = HELPINFO_WINDOW;
        help.hItemHandle = list;
        help.iCtrlId = IDC_RESULT_LIST;
        EXPECT_EQ(SendMessageW(main, WM_HELP, 0, reinterpret_cast<LPARAM>(&help)), TRUE);
        ASSERT_TRUE(e2e::EarlierPostsHandled(list));
        EXPECT_EQ(ThreadDialogs(ui, {}, {IDC_START_ALL}).size(), 0u);
    });
}

TEST_F(CommandsMainWindowTest, TheAboutBoxOpensAlikeFromTheSystemMenuThePopupAndF1) {
    Run(std::string(), [&](HWND main) {
        const DWORD ui = GetWindowThreadProcessId(main, nullptr);
        // The system menu ends with a separator and item 16.
        HMENU system = GetSystemMenu(main, FALSE);
        const int items = GetMenuItemCount(system);
        ASSERT_GE(items, 2);
        wchar_t text[128] = {};
        GetMenuStringW(system, IDM_ABOUTBOX, text, 128, MF_BYCOMMAND);
        EXPECT_STREQ(text, L"Information(Velkora) (&A)...");
        EXPECT_EQ(GetMenuItemID(system, items - 1), static_cast<UINT>(IDM_ABOUTBOX));
        EXPECT_NE(GetMenuState(system, items - 2, MF_BYPOSITION) & MF_SEPARATOR, 0u);

        struct Route {
            const char* how;
            std::function<void()> open;
            std::function<void(HWND)> close;
        } routes[] = {
            {"system menu item 16", [&] { PostMessageW(main, WM_SYSCOMMAND, IDM_ABOUTBOX, 0); },
             [](HWND about) { Click(about, IDOK); }},
            // The low four bits of a system command are the system's own.
            {"system menu item 16 with low bits set",
             [&] { PostMessageW(main, WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3, 0); },
             [](HWND about) { KeyDown(GetDlgItem(about, IDOK), VK_ESCAPE); }},
            {"popup menu Velkora...", [&] { PostMessageW(main, WM_COMMAND, ID_ABOUT, 0); },
             [](HWND about) { KeyDown(GetDlgItem(about, IDOK), VK_ESCAPE); }},
            {"F1 in the list", [&] { KeyDown(GetDlgItem(main, IDC_RESULT_LIST), VK_F1); },
             [](HWND about) { Click(about, IDOK); }},
        };
        for (const Route& r : routes) {
            SCOPED_TRACE(r.how);
            r.open();
            HWND about = WaitThreadDialog(ui, {IDC_CAPTION_LINE, IDOK});
            ASSERT_NE(about, nullptr);
            EXPECT_EQ(Text(about), L"Information Velkora");
            r.close(about);
            EXPECT_TRUE(WaitGone(about));
            EXPECT_TRUE(IsWindowVisible(main));
        }
    });
}

TEST_F(CommandsMainWindowTest, BmpCopyOfAMinimisedWindowIsReportedNotSkipped) {
    Run(std::string(), [&](HWND main) {
        const DWORD ui = GetWindowThreadProcessId(main, nullptr);
        PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ASSERT_TRUE(WaitUntil([&] { return IsIconic(main) != FALSE; }, kWaitMs));
        const DWORD sequence = GetClipboardSequenceNumber();
        Click(main, IDC_BMP_COPY);
        HWND box = WaitThreadDialog(ui, {}, {IDC_START_ALL});
        ASSERT_NE(box, nullptr) << "no message";
        EXPECT_NE(ChildTexts(box).find(L"クリップボードに送るデータを作成できませんでした。"),
                  std::wstring::npos)
            << ChildTexts(box).c_str();
        Click(box, IDOK);
        ASSERT_TRUE(WaitGone(box));
        EXPECT_EQ(GetClipboardSequenceNumber(), sequence) << "the clipboard is left alone";
        PostMessageW(main, WM_SYSCOMMAND, SC_RESTORE, 0);
    });
}

}  // namespace
