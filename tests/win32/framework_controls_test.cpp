// The control wrappers where they do more than send one message: reading a
// list cell or a combo entry of any length.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/combo_box.h"
#include "framework/list_view.h"

namespace {

// A hidden top-level window with one child control of a class; both go
// away with the host.
class ControlHost {
  public:
    ControlHost(const wchar_t* className, DWORD style) {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
        parent_ = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        control_ = CreateWindowExW(0, className, L"", WS_CHILD | style, 0, 0, 380, 200, parent_,
                                   nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~ControlHost() { DestroyWindow(parent_); }
    HWND Control() const { return control_; }

  private:
    HWND parent_ = nullptr;
    HWND control_ = nullptr;
};

// Lengths around the list's first buffer (64) and its doublings, a long
// text, an empty one, and Japanese.
std::wstring Text(size_t length) {
    std::wstring text;
    for (size_t i = 0; i < length; ++i)
        text += static_cast<wchar_t>(L'a' + i % 26);
    return text;
}
const std::wstring kTexts[] = {L"",       L"x",      Text(62),  Text(63),   Text(64),
                               Text(127), Text(128), Text(129), Text(3000), L"ビデオカード 32MB"};

TEST(FrameworkControlsTest, AListCellReadsBackWholeWhateverItsLength) {
    ControlHost host(WC_LISTVIEWW, LVS_REPORT);
    const fw::ListView list(host.Control());
    ASSERT_TRUE(list);
    ASSERT_EQ(list.InsertColumn(0, L"Name", 100), 0);
    ASSERT_EQ(list.InsertColumn(1, L"Value", 100), 1);
    int row = 0;
    for (const std::wstring& text : kTexts) {
        ASSERT_EQ(list.InsertItem(row, text, 0), row);
        ASSERT_TRUE(list.SetCellText(row, 1, L"<" + text + L">"));
        ++row;
    }
    ASSERT_EQ(list.ItemCount(), row);
    row = 0;
    for (const std::wstring& text : kTexts) {
        EXPECT_EQ(list.CellText(row, 0), text) << "length " << text.size();
        EXPECT_EQ(list.CellText(row, 1), L"<" + text + L">") << "length " << text.size();
        ++row;
    }
    // Cells that do not exist read as empty, not as what a buffer held.
    EXPECT_EQ(list.CellText(row, 0), L"");
    EXPECT_EQ(list.CellText(-1, 1), L"");
    EXPECT_EQ(list.CellText(0, 5), L"");
}

TEST(FrameworkControlsTest, AComboEntryReadsBackWholeWhateverItsLength) {
    ControlHost host(L"COMBOBOX", CBS_DROPDOWN);
    const fw::ComboBox box(host.Control());
    ASSERT_TRUE(box);
    int index = 0;
    for (const std::wstring& text : kTexts)
        ASSERT_EQ(box.InsertString(-1, text), index++);
    ASSERT_EQ(box.Count(), index);
    index = 0;
    for (const std::wstring& text : kTexts)
        EXPECT_EQ(box.ItemText(index++), text) << "length " << text.size();
    EXPECT_EQ(box.ItemText(index), L"");
    EXPECT_EQ(box.ItemText(-1), L"");
}

}  // namespace
