// The comparison window driven from outside the real velkora.exe: F6 opens
// it on a data file of four records, three are chosen against a baseline,
// the table is read back through the list view, sorted by a column, copied
// as Markdown and CSV, saved as HTML, and the window closed, leaving the
// data file as it was. Needs an X display under Wine.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <memory>
#include <string>

#include "res/resource.h"
#include "tests/e2e/program_folder.h"
#include "tools/driver/data_file_text.h"
#include "tools/driver/remote_ui.h"
#include "tools/driver/velkora_session.h"

namespace e2e {
namespace {

const DWORD kWindowMs = 30000;
const DWORD kDialogMs = 10000;

// The table's rows: the machine's seven, the twenty tests, four summaries.
const int kFirstTestRow = 7;
const int kSummaryRow = kFirstTestRow + kTestCount;

// Four records. "New PC" and "Twin PC" have five rounds of every test;
// against "New PC", "Twin PC" is faster beyond the noise in test 0, within
// it in test 1 (ranges overlap), slower in test 2, and alike elsewhere.
// "Lone PC" was timed once and has no time for test 7.
std::vector<PreparedRecord> FourRecords() {
    std::vector<PreparedRecord> records(4);
    const char* names[] = {"Old PC", "New PC", "Twin PC", "Lone PC"};
    for (int i = 0; i < 4; ++i)
        records[i].systemName = names[i];
    for (int t = 0; t < kTestCount; ++t) {
        records[0].times[t] = kReferenceB[t];
        records[3].times[t] = t == 7 ? 0.0f : 4.0f;
        const float twin = t == 0 ? 1.6f : t == 1 ? 2.04f : t == 2 ? 2.5f : 2.0f;
        for (int r : {1, 2}) {
            const float time = r == 1 ? 2.0f : twin;
            records[r].times[t] = time;
            records[r].rounds[t] = 5;
            records[r].fastest[t] = t == 1 && r == 2 ? 2.0f : time - 0.02f;
            records[r].slowest[t] = t == 1 && r == 2 ? 2.08f : time + 0.02f;
        }
    }
    return records;
}

std::string Mark(int test, float time) {
    return std::to_string(ExpectedMark(kReferenceB[test], time));
}

bool ReadClipboardUnicode(std::string& text) {
    text.clear();
    if (!WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 5000))
        return false;
    bool ok = false;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = fw::NarrowUtf8(
                std::wstring(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t))));
            GlobalUnlock(data);
            ok = true;
        }
    }
    CloseClipboard();
    return ok;
}

class CompareE2ETest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(folder_.Create(&error)) << error;
    }
    void TearDown() override {
        if (session_ && session_->Process().Running())
            session_->Process().Terminate();
        if (HasFailure())
            std::printf("Kept for inspection: %s\n", fw::NarrowUtf8(folder_.Path()).c_str());
        else
            folder_.Remove();
    }

    DWORD Pid() const { return session_->Process().Id(); }
    HANDLE Process() const { return session_->Process().Handle(); }

    // A dialog of the program other than the main and comparison windows
    // that has the child `id`.
    HWND WaitOtherDialog(int id) const {
        HWND found = nullptr;
        WaitUntil(
            [&] {
                for (HWND w : ProcessDialogs(Pid()))
                    if (w != session_->MainWindow() && w != window_ && GetDlgItem(w, id) != nullptr)
                        found = w;
                return found != nullptr;
            },
            kDialogMs);
        return found;
    }

    std::string Cell(int row, int column) const {
        std::string text;
        RemoteListView(Process(), GetDlgItem(window_, IDC_CMP_TABLE)).ItemText(row, column, text);
        return text;
    }

    // Clicks a column header of the table, as the mouse would.
    void ClickHeader(int column) const {
        HWND header = reinterpret_cast<HWND>(
            SendMessageW(GetDlgItem(window_, IDC_CMP_TABLE), LVM_GETHEADER, 0, 0));
        ASSERT_NE(header, nullptr);
        RemoteBuffer rect(Process(), sizeof(RECT));
        ASSERT_TRUE(rect);
        ASSERT_TRUE(SendMessageW(header, HDM_GETITEMRECT, column,
                                 reinterpret_cast<LPARAM>(rect.Address())));
        RECT r{};
        ASSERT_TRUE(rect.Read(0, &r, sizeof r));
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(header, WM_LBUTTONUP, 0, at);
    }

    std::string Copied(int command) const {
        const DWORD sequence = GetClipboardSequenceNumber();
        PostCommand(window_, command);
        EXPECT_TRUE(WaitUntil([&] { return GetClipboardSequenceNumber() != sequence; }, kDialogMs));
        std::string text;
        EXPECT_TRUE(ReadClipboardUnicode(text));
        return text;
    }

    ProgramFolder folder_;
    std::unique_ptr<VelkoraSession> session_;
    HWND window_ = nullptr;
};

TEST_F(CompareE2ETest, F6ComparesChosenRecordsSortsCopiesAndSavesWithoutWritingTheFile) {
    ASSERT_TRUE(folder_.WriteDataFile(DataFileText({{"VelkoraDataNum", "4"}}, FourRecords())));
    session_.reset(new VelkoraSession);
    std::string error;
    ASSERT_TRUE(session_->Start(folder_.Exe(), kWindowMs, &error)) << error;
    const std::string before = folder_.Read(folder_.DataFile());

    ASSERT_TRUE(PostKeyDown(GetDlgItem(session_->MainWindow(), IDC_RESULT_LIST), VK_F6));
    ASSERT_TRUE(WaitUntil(
        [&] {
            window_ = nullptr;
            for (HWND w : ProcessDialogs(Pid()))
                if (GetDlgItem(w, IDC_CMP_TABLE) != nullptr)
                    window_ = w;
            return window_ != nullptr;
        },
        kDialogMs));
    EXPECT_EQ(StoredText(window_), "Velkora - 比較");

    // "This System" and the four records; the four are chosen at first.
    // Leaving out "Old PC" and taking "New PC" as the baseline:
    RemoteListView choice(Process(), GetDlgItem(window_, IDC_CMP_CHOICE));
    ASSERT_EQ(choice.ItemCount(), 5);
    ASSERT_TRUE(choice.SetItemState(1, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK));
    HWND baseline = GetDlgItem(window_, IDC_CMP_BASELINE);
    ASSERT_TRUE(WaitUntil([&] { return ComboCount(baseline) == 4; }, kDialogMs));
    std::string entry;
    ASSERT_TRUE(ComboItemText(baseline, 0, entry));
    EXPECT_EQ(entry, "基準機（リファレンス）");
    ASSERT_TRUE(ComboItemText(baseline, 1, entry));
    ASSERT_EQ(entry, "New PC");
    ASSERT_TRUE(ChooseComboItem(window_, IDC_CMP_BASELINE, 1));
    ASSERT_TRUE(WaitUntil(
        [&] {
            return Cell(kFirstTestRow, 1)
                       .find(
                           "\xC3\x97"
                           "1.00") != std::string::npos;
        },
        kDialogMs));

    EXPECT_EQ(Cell(0, 0), "プロセッサ");
    EXPECT_EQ(Cell(5, 2), "10000") << "loop count";
    EXPECT_EQ(Cell(6, 2), "5") << "rounds";
    EXPECT_EQ(Cell(kFirstTestRow, 0), "Standard Text");
    EXPECT_EQ(Cell(kFirstTestRow, 1), Mark(0, 2.0f) + " ×1.00");
    EXPECT_EQ(Cell(kFirstTestRow, 2), Mark(0, 1.6f) + " ×1.25 ▲");
    EXPECT_EQ(Cell(kFirstTestRow + 1, 2), Mark(1, 2.04f) + " ×0.98 ≈");
    EXPECT_EQ(Cell(kFirstTestRow + 2, 2), Mark(2, 2.5f) + " ×0.80 ▼");
    EXPECT_EQ(Cell(kFirstTestRow, 3), Mark(0, 4.0f) + " ×0.50 n=1");
    EXPECT_EQ(Cell(kFirstTestRow + 7, 3), "—");
    EXPECT_NE(Cell(kSummaryRow + 1, 0).find("19/20"), std::string::npos)
        << Cell(kSummaryRow + 1, 0);
    EXPECT_EQ(Cell(kSummaryRow + 3, 2), "1 / 17 / 1");
    EXPECT_EQ(Cell(kSummaryRow + 3, 3), "0 / 0 / 0 (19 n=1)") << "timed once: no ties";

    // Sorted by "Twin PC": its fastest test first, its slowest last; the
    // first column goes back to the catalogue's order.
    ClickHeader(2);
    ASSERT_TRUE(WaitUntil([&] { return Cell(kSummaryRow - 1, 0) == "EditBox Text"; }, kDialogMs))
        << Cell(kSummaryRow - 1, 0);
    EXPECT_EQ(Cell(kFirstTestRow, 0), "Standard Text");
    EXPECT_EQ(Cell(kSummaryRow - 2, 0), "Standard Text(2)");
    ClickHeader(0);
    ASSERT_TRUE(WaitUntil([&] { return Cell(kSummaryRow - 1, 0) == "Enable / Disable Controls"; },
                          kDialogMs));

    const std::string markdown = Copied(IDC_CMP_COPY_MARKDOWN);
    EXPECT_NE(markdown.find("| Twin PC"), std::string::npos) << markdown;
    EXPECT_NE(markdown.find(Mark(0, 1.6f) + " ×1.25 ▲"), std::string::npos) << markdown;
    const std::string csv = Copied(IDC_CMP_COPY_CSV);
    EXPECT_NE(csv.find("Twin PC"), std::string::npos) << csv;
    EXPECT_NE(csv.find("faster"), std::string::npos) << csv;

    // HTML through the save dialog, into the program's folder.
    const std::wstring html = folder_.Path() + L"\\compare.html";
    PostCommand(window_, IDC_CMP_SAVE_HTML);
    HWND save = WaitOtherDialog(0x47C);
    if (save == nullptr)
        save = WaitOtherDialog(0x480);
    ASSERT_NE(save, nullptr) << "no save dialog";
    HWND field =
        GetDlgItem(save, 0x47C) != nullptr ? GetDlgItem(save, 0x47C) : GetDlgItem(save, 0x480);
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(html.c_str()));
    PostCommand(save, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return folder_.Read(html).find("</html>") != std::string::npos; },
                          kDialogMs));
    const std::string page = folder_.Read(html);
    EXPECT_NE(page.find("<svg"), std::string::npos);
    EXPECT_EQ(page.find("<script"), std::string::npos);

    PostCommand(window_, IDCANCEL);
    EXPECT_TRUE(WaitForWindowGone(window_, kDialogMs));
    EXPECT_TRUE(Responds(session_->MainWindow()));
    EXPECT_EQ(folder_.Read(folder_.DataFile()), before) << "the window only reads the file";
}

}  // namespace
}  // namespace e2e
