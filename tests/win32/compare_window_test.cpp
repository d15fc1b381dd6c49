// The comparison window in process: another data file opened through the
// open dialog joins the choice read-only and is refused a second time, and a
// ninth record is taken back.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <iterator>
#include <string>

#include "compare/compare_dlg.h"
#include "framework/text.h"
#include "records/data_file.h"
#include "records/ini_store.h"
#include "records/record.h"
#include "records/record_book.h"
#include "res/resource.h"
#include "tests/win32/commands_test_support.h"

namespace {

using namespace commands_test;

// Stored records 1..count, every test timed.
void AddRecords(records::IniFile& file, int count, const char* prefix) {
    for (int n = 1; n <= count; ++n) {
        records::Record record;
        record.system.SystemName = prefix + std::to_string(n);
        for (int t = 0; t < bench::kTestCount; ++t)
            record.timing.m_fTime[t] = 1.0f + 0.1f * static_cast<float>(n);
        record.Save(file, n);
    }
    records::WriteRecordCount(file, count);
}

// A new data file at path holding stored records 1..count.
void WriteDataFile(const std::wstring& path, int count, const char* prefix) {
    DeleteFileW(path.c_str());
    records::IniFile file;
    ASSERT_TRUE(file.Load(path));
    AddRecords(file, count, prefix);
    ASSERT_TRUE(file.Save());
}

std::string FileBytes(const std::wstring& path) {
    std::ifstream in(fw::NarrowAnsi(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int ItemCount(HWND list) {
    return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

bool Checked(HWND list, int row) {
    return (SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) ==
           INDEXTOSTATEIMAGEMASK(2);
}

void Check(HWND list, int row) {
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(2);
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

// Opens path through the window's open dialog, as a user would.
void OpenThroughDialog(DWORD thread, HWND window, const std::wstring& path) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_CMP_OPEN, BN_CLICKED), 0);
    HWND box = WaitThreadDialog(thread, {IDOK}, {IDC_CMP_TABLE});
    ASSERT_NE(box, nullptr) << "no open dialog";
    HWND field =
        GetDlgItem(box, 0x47C) != nullptr ? GetDlgItem(box, 0x47C) : GetDlgItem(box, 0x480);
    ASSERT_NE(field, nullptr);
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(WaitGone(box));
}

TEST(CompareWindowTest, AnotherFileJoinsReadOnlyOnceAndANinthRecordIsTakenBack) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring ownPath = std::wstring(folder) + L"velkora-compare-own.vlk";
    ASSERT_NO_FATAL_FAILURE(WriteDataFile(ownPath, 3, "Own "));
    records::RecordBook book;
    book.SetPath(ownPath);
    const std::wstring path = std::wstring(folder) + L"velkora-compare-other.vlk";
    ASSERT_NO_FATAL_FAILURE(WriteDataFile(path, 6, "Other "));
    const std::string before = FileBytes(path);
    const std::wstring large = std::wstring(folder) + L"velkora-compare-large.vlk";
    {
        std::ofstream out(fw::NarrowAnsi(large), std::ios::binary);
        out << std::string(CCompareDlg::kMaxOpenedFileSize + 1, '\n');
    }
    std::wstring tooLarge;
    const DWORD thread = GetCurrentThreadId();
    CCompareDlg window(book, 10000);
    HWND dialog = nullptr;
    std::wstring refusal, status;
    int rowsAfterOpen = 0, baselineEntriesAtStart = 0, baselineEntries = 0;
    bool ninthChecked = true;

    RunWithScript([&] { window.DoModal(); },
                  [&] {
                      dialog = WaitThreadDialog(thread, {IDC_CMP_TABLE});
                      if (dialog == nullptr)
                          return;
                      HWND choice = GetDlgItem(dialog, IDC_CMP_CHOICE);
                      baselineEntriesAtStart = static_cast<int>(
                          SendMessageW(GetDlgItem(dialog, IDC_CMP_BASELINE), CB_GETCOUNT, 0, 0));
                      OpenThroughDialog(thread, dialog, path);
                      rowsAfterOpen = ItemCount(choice);

                      OpenThroughDialog(thread, dialog, path);
                      HWND box = WaitThreadDialog(thread, {0xFFFF});
                      if (box != nullptr) {
                          refusal = ItemText(box, 0xFFFF);
                          PostMessageW(box, WM_COMMAND, IDOK, 0);
                          WaitGone(box);
                      }
                      // A file above the limit is refused before it is read.
                      OpenThroughDialog(thread, dialog, large);
                      box = WaitThreadDialog(thread, {0xFFFF});
                      if (box != nullptr) {
                          tooLarge = ItemText(box, 0xFFFF);
                          PostMessageW(box, WM_COMMAND, IDOK, 0);
                          WaitGone(box);
                      }

                      // Rows 1-3 are chosen; 4-8 make eight, 9 is one too many.
                      for (int row = 4; row <= 9; ++row)
                          Check(choice, row);
                      ninthChecked = Checked(choice, 9);
                      status = ItemText(dialog, IDC_CMP_STATUS);
                      baselineEntries = static_cast<int>(
                          SendMessageW(GetDlgItem(dialog, IDC_CMP_BASELINE), CB_GETCOUNT, 0, 0));
                  },
                  [&] {
                      if (dialog != nullptr)
                          PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                  });

    EXPECT_EQ(baselineEntriesAtStart, 4) << "the reference and the three stored records";
    EXPECT_EQ(rowsAfterOpen, 1 + 3 + 6);
    EXPECT_EQ(refusal, fw::LoadResourceString(IDS_CMP_ALREADY_OPEN));
    wchar_t limit[256];
    swprintf(limit, 256, fw::LoadResourceString(IDS_CMP_TOO_LARGE).c_str(),
             static_cast<int>(CCompareDlg::kMaxOpenedFileSize >> 20),
             static_cast<int>(CCompareDlg::kMaxOpenedRecords));
    EXPECT_EQ(tooLarge, limit);
    EXPECT_FALSE(ninthChecked);
    EXPECT_EQ(status, fw::LoadResourceString(IDS_CMP_TOO_MANY));
    EXPECT_EQ(baselineEntries, 1 + 8);
    EXPECT_EQ(window.Shown().entries.size(), 8u);
    EXPECT_EQ(window.Shown().entries[7].origin, "velkora-compare-other.vlk");
    EXPECT_EQ(FileBytes(path), before) << "an opened file is only read";
    DeleteFileW(path.c_str());
    DeleteFileW(large.c_str());
    DeleteFileW(ownPath.c_str());
}

}  // namespace
