// The add-data dialog in process: its two modes, its colours and read-only
// fields, its layout, and the texts it hands back.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "framework/text.h"
#include "mainwnd/add_data_dlg.h"
#include "res/resource.h"
#include "tests/win32/commands_test_support.h"

namespace {

using namespace commands_test;

const wchar_t kAddMessage[] =
    L"このコンピュータのデータおよびVelkoraの結果を保存します。\n"
    L"データの登録名とユーザー名、コンピュータ名を入力してください。";
const wchar_t kDeleteMessage[] = L"以下の登録データを削除します。\nよろしいですか？";

records::RecordForm SampleForm() {
    records::RecordForm form;
    form.systemName = "P at 700MHz System(2)";
    form.userName = "tester";
    form.pcName = "E2E-HOST";
    form.memo = "first\r\nsecond";
    form.date = "2026.12/07.10:15";
    return form;
}

// The text colour a label answers its colour request with.
COLORREF LabelTextColour(HWND dialog, int id) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    SetTextColor(dc, RGB(1, 2, 3));
    SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    const COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    return colour;
}

bool ReadOnly(HWND dialog, int id) {
    return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & ES_READONLY) != 0;
}

// Runs the dialog modally while script, on a second thread, plays the user
// with the dialog's window; the dialog is cancelled if the script leaves it
// open.
INT_PTR RunDialog(CAddDataDlg& dlg, const std::function<void(HWND)>& script) {
    const DWORD ui = GetCurrentThreadId();
    HWND shown = nullptr;
    INT_PTR result = 0;
    RunWithScript([&] { result = dlg.DoModal(); },
                  [&] {
                      shown = WaitThreadDialog(ui, {IDC_ADD_MEMO, IDC_ADD_NAME_LABEL});
                      EXPECT_NE(shown, nullptr) << "the dialog did not open";
                      if (shown != nullptr)
                          script(shown);
                  },
                  [&] {
                      if (shown != nullptr && IsWindow(shown) && !WaitGone(shown, 3000))
                          Click(shown, IDCANCEL);
                  });
    return result;
}

struct LabelColour {
    int id;
    COLORREF colour;
};
const LabelColour kLabelColours[] = {
    {IDC_ADD_MESSAGE, 0xFF007F},    {IDC_ADD_NAME_LABEL, 0x00FFFF},
    {IDC_ADD_USER_LABEL, 0xFF0000}, {IDC_ADD_COMPUTER_LABEL, 0x00FF00},
    {IDC_ADD_MEMO_LABEL, 0x7F00FF}, {IDC_ADD_DATE_LABEL, 0xFFFF00},
};

TEST(CommandsAddDataDlgTest, AddModeShowsTheProposalAndHandsBackWhatTheUserTyped) {
    CAddDataDlg dlg(CAddDataDlg::kAddMode, SampleForm());
    const INT_PTR result = RunDialog(dlg, [&](HWND shown) {
        EXPECT_EQ(Text(shown), L"データの追加");
        EXPECT_EQ(ItemText(shown, IDC_ADD_MESSAGE), kAddMessage);
        EXPECT_EQ(ItemText(shown, IDC_ADD_NAME), L"P at 700MHz System(2)");
        EXPECT_EQ(ItemText(shown, IDC_ADD_USER), L"tester");
        EXPECT_EQ(ItemText(shown, IDC_ADD_COMPUTER), L"E2E-HOST");
        EXPECT_EQ(ItemText(shown, IDC_ADD_MEMO), L"first\r\nsecond");
        EXPECT_EQ(ItemText(shown, IDC_ADD_DATE), L"2026.12/07.10:15");
        for (int id : {IDC_ADD_NAME, IDC_ADD_USER, IDC_ADD_COMPUTER, IDC_ADD_MEMO})
            EXPECT_FALSE(ReadOnly(shown, id)) << id;
        EXPECT_TRUE(ReadOnly(shown, IDC_ADD_DATE)) << "the date cannot be edited";
        for (const LabelColour& l : kLabelColours)
            EXPECT_EQ(LabelTextColour(shown, l.id), l.colour) << l.id;

        // Enter in the memo is a line break, not OK.
        // The focus first (moving it selects the whole text), then
        // the caret after "one".
        SendMessageW(shown, WM_NEXTDLGCTL,
                     reinterpret_cast<WPARAM>(GetDlgItem(shown, IDC_ADD_MEMO)), TRUE);
        SendMessageW(GetDlgItem(shown, IDC_ADD_MEMO), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(L"one"));
        SendMessageW(GetDlgItem(shown, IDC_ADD_MEMO), EM_SETSEL, 3, 3);
        KeyDown(GetDlgItem(shown, IDC_ADD_MEMO), VK_RETURN);
        EXPECT_TRUE(WaitUntil([&] { return ItemText(shown, IDC_ADD_MEMO) == L"one\r\n"; }, 5000))
            << "memo reads: " << fw::NarrowAnsi(ItemText(shown, IDC_ADD_MEMO));
        EXPECT_TRUE(IsWindowVisible(shown)) << "the dialog is still open";

        SendMessageW(GetDlgItem(shown, IDC_ADD_NAME), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(L"My machine"));
        SendMessageW(GetDlgItem(shown, IDC_ADD_MEMO), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(L"a\r\nb\r\nc"));
        Click(shown, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.Form().systemName, "My machine");
    EXPECT_EQ(dlg.Form().memo, "a\r\nb\r\nc");
    EXPECT_EQ(dlg.Form().userName, "tester");
    EXPECT_EQ(dlg.Form().date, "2026.12/07.10:15");
}

TEST(CommandsAddDataDlgTest, DeleteModeShowsTheRecordReadOnlyUnderARedQuestion) {
    CAddDataDlg dlg(CAddDataDlg::kDeleteMode, SampleForm());
    const INT_PTR result = RunDialog(dlg, [&](HWND shown) {
        EXPECT_EQ(Text(shown), L"データの削除");
        EXPECT_EQ(ItemText(shown, IDC_ADD_MESSAGE), kDeleteMessage);
        EXPECT_EQ(ItemText(shown, IDC_ADD_NAME), L"P at 700MHz System(2)");
        EXPECT_EQ(ItemText(shown, IDC_ADD_MEMO), L"first\r\nsecond");
        for (int id : {IDC_ADD_NAME, IDC_ADD_USER, IDC_ADD_COMPUTER, IDC_ADD_MEMO, IDC_ADD_DATE})
            EXPECT_TRUE(ReadOnly(shown, id)) << id;
        for (const LabelColour& l : kLabelColours) {
            const COLORREF expected = l.id == IDC_ADD_MESSAGE ? 0x0000FF : l.colour;
            EXPECT_EQ(LabelTextColour(shown, l.id), expected) << l.id;
        }
        // Typing into a read-only field changes nothing.
        SendMessageW(GetDlgItem(shown, IDC_ADD_NAME), WM_CHAR, L'x', 1);
        EXPECT_EQ(ItemText(shown, IDC_ADD_NAME), L"P at 700MHz System(2)");
        Click(shown, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dlg.Form().systemName, "P at 700MHz System(2)");
}

TEST(CommandsAddDataDlgTest, TheTemplateHoldsEveryControlInItsPlace) {
    struct Place {
        int id;
        const char* cls;
        int x, y, width, height;
        DWORD styles;  // that must be set
        const wchar_t* text;
    } places[] = {
        {IDC_ADD_MESSAGE, "Static", 10, 4, 210, 20, SS_CENTER, nullptr},
        {IDC_ADD_NAME_LABEL, "Static", 10, 32, 40, 8, 0, L"登録名 ："},
        {IDC_ADD_NAME, "Edit", 10, 40, 210, 12, ES_AUTOHSCROLL, nullptr},
        {IDC_ADD_USER_LABEL, "Static", 10, 64, 40, 8, 0, L"ユーザー名 ："},
        {IDC_ADD_USER, "Edit", 10, 72, 85, 12, ES_AUTOHSCROLL, nullptr},
        {IDC_ADD_COMPUTER_LABEL, "Static", 10, 96, 55, 8, 0, L"コンピュータ名 ："},
        {IDC_ADD_COMPUTER, "Edit", 10, 104, 85, 12, ES_AUTOHSCROLL, nullptr},
        {IDC_ADD_DATE_LABEL, "Static", 10, 128, 55, 8, 0, L"日付 ："},
        {IDC_ADD_DATE, "Edit", 10, 136, 85, 12, ES_READONLY, nullptr},
        {IDC_ADD_MEMO_LABEL, "Static", 105, 64, 60, 8, 0, L"メモ ："},
        {IDC_ADD_MEMO, "Edit", 105, 72, 115, 76,
         ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL | WS_VSCROLL, nullptr},
        {IDOK, "Button", 20, 160, 55, 16, 0, L"OK"},
        {IDCANCEL, "Button", 155, 160, 55, 16, 0, L"CANCEL"},
    };
    CAddDataDlg dlg(CAddDataDlg::kAddMode, records::RecordForm());
    RunDialog(dlg, [&](HWND shown) {
        const DWORD style = GetWindowLongW(shown, GWL_STYLE);
        EXPECT_EQ(style & (DS_MODALFRAME | WS_CAPTION | WS_SYSMENU),
                  static_cast<DWORD>(DS_MODALFRAME | WS_CAPTION | WS_SYSMENU));
        RECT size{0, 0, 234, 183};
        MapDialogRect(shown, &size);
        RECT client;
        GetClientRect(shown, &client);
        EXPECT_EQ(client.right, size.right);
        EXPECT_EQ(client.bottom, size.bottom);
        for (const Place& p : places) {
            SCOPED_TRACE(p.id);
            HWND control = GetDlgItem(shown, p.id);
            ASSERT_NE(control, nullptr);
            char cls[32] = {};
            GetClassNameA(control, cls, 32);
            EXPECT_STRCASEEQ(cls, p.cls);
            // Origin and size are converted separately, as the dialog
            // manager does.
            RECT expected{p.x, p.y, p.width, p.height};
            MapDialogRect(shown, &expected);
            RECT actual;
            GetWindowRect(control, &actual);
            MapWindowPoints(nullptr, shown, reinterpret_cast<POINT*>(&actual), 2);
            EXPECT_EQ(actual.left, expected.left);
            EXPECT_EQ(actual.top, expected.top);
            EXPECT_EQ(actual.right - actual.left, expected.right);
            EXPECT_EQ(actual.bottom - actual.top, expected.bottom);
            EXPECT_EQ(GetWindowLongW(control, GWL_STYLE) & p.styles, p.styles);
            if (p.text != nullptr) {
                EXPECT_EQ(Text(control), p.text);
            }
        }
        Click(shown, IDCANCEL);
    });
}

}  // namespace
