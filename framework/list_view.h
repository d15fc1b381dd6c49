// A borrowed list-view control: one message per method. The wrapper never
// owns or destroys the control; a copy is as good as the handle it holds.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/window.h"

namespace fw {

class ListView : public Window {
  public:
    using Window::Window;

    // A column at `column` with a heading, a width in pixels and an LVCFMT_*
    // alignment; its sub-item is its own index. The new column's index, or -1.
    int InsertColumn(int column, const wchar_t* heading, int width, int format = LVCFMT_LEFT) const;
    bool DeleteColumn(int column) const { return Send(LVM_DELETECOLUMN, column) != FALSE; }
    int ColumnCount() const {
        HWND header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
        return header != nullptr ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0))
                                 : 0;
    }
    bool SetColumnHeading(int column, const std::wstring& heading) const {
        LVCOLUMNW lvc{};
        lvc.mask = LVCF_TEXT;
        lvc.pszText = const_cast<wchar_t*>(heading.c_str());
        return Send(LVM_SETCOLUMNW, column, reinterpret_cast<LPARAM>(&lvc)) != FALSE;
    }

    // A row at `row` with its first column's text and its small image. The
    // new row's index, or -1.
    int InsertItem(int row, const std::wstring& text, int image) const;
    bool DeleteAllItems() const { return Send(LVM_DELETEALLITEMS) != FALSE; }
    int ItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }

    // The text of one cell: column 0 is the row's own text, 1 and up its
    // sub-items. Reading grows its buffer until the whole text fits; a cell
    // that does not exist reads as empty.
    bool SetCellText(int row, int column, const std::wstring& text) const;
    std::wstring CellText(int row, int column) const;

    bool IsSelected(int row) const {
        return (Send(LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    }
    // The check box of a row in a list with LVS_EX_CHECKBOXES.
    bool IsChecked(int row) const {
        return (Send(LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) ==
               INDEXTOSTATEIMAGEMASK(2);
    }
    void SetChecked(int row, bool checked) const {
        LVITEMW item{};
        item.stateMask = LVIS_STATEIMAGEMASK;
        item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
        Send(LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    // The whole row's rectangle (LVIR_BOUNDS) in the list's client
    // coordinates; empty when the row does not exist.
    RECT ItemBounds(int row) const {
        RECT bounds{};
        bounds.left = LVIR_BOUNDS;
        if (!Send(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds)))
            return RECT{};
        return bounds;
    }

    // The list keeps a borrowed image list; the previous one is returned.
    HIMAGELIST SetImageList(HIMAGELIST images, int which = LVSIL_SMALL) const {
        return reinterpret_cast<HIMAGELIST>(
            Send(LVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(images)));
    }
    // Replaces every LVS_EX_* style; the previous styles are returned.
    DWORD SetExtendedStyle(DWORD styles) const {
        return static_cast<DWORD>(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, styles));
    }
    bool SetTextColor(COLORREF colour) const {
        return Send(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(colour)) != FALSE;
    }
    bool SetTextBkColor(COLORREF colour) const {
        return Send(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(colour)) != FALSE;
    }
    bool SetBkColor(COLORREF colour) const {
        return Send(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(colour)) != FALSE;
    }
};

}  // namespace fw
