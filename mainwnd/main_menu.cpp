// The popup menu of the main window: a right click, the menu key or
// Shift+F10. The chosen item arrives as an ordinary menu command.
#include <windows.h>
#include <windowsx.h>

#include "framework/gdi.h"
#include "mainwnd/main_dlg.h"
#include "res/resource.h"

namespace {

// The GRAPH MAX items in menu order and the maximum each sets: the one
// table of both the radio marks and the commands.
const struct {
    UINT id;
    int value;
} kGraphItems[] = {
    {ID_GRAPH_3000, 3000}, {ID_GRAPH_5000, 5000}, {ID_GRAPH_8000, 8000}, {ID_GRAPH_10000, 10000}};

// Without a mouse position the menu opens this far inside the client area.
const int kKeyboardOffset = 5;

}  // namespace

void CMainDlg::OnContextMenu(fw::Message& m) {
    POINT at{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
    if (at.x == -1 && at.y == -1) {
        at = POINT{0, 0};
        ClientToScreen(hwnd_, &at);
        at.x += kKeyboardOffset;
        at.y += kKeyboardOffset;
    }

    const fw::Menu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_POPUP)));
    HMENU popup = menu ? GetSubMenu(menu.Get(), 0) : nullptr;
    if (popup == nullptr)
        return;

    HWND owner = hwnd_;
    while ((GetWindowLongW(owner, GWL_STYLE) & WS_CHILD) && GetParent(owner) != nullptr)
        owner = GetParent(owner);

    // The radio mark follows the graph maximum in force; a maximum set
    // through the options that no item offers leaves every item unmarked.
    const int graphMax = GraphMax();
    for (const auto& item : kGraphItems)
        if (item.value == graphMax)
            CheckMenuRadioItem(popup, kGraphItems[0].id, kGraphItems[3].id, item.id, MF_BYCOMMAND);

    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
}

void CMainDlg::OnGraphMaxCommand(fw::Message& m) {
    for (const auto& item : kGraphItems)
        if (item.id == m.CommandId())
            SetGraphMax(item.value);
}
