// Tests 11-17: list box, tab control, combo box, tree view and list view.
#include "bench/procedures.h"

#include <commctrl.h>

#include "bench/velkoras.h"

using bench::ControlOf;
using bench::NumberText;

void CVelkoras::OnListBox(WPARAM n, LPARAM control) {
    const unsigned loop = static_cast<unsigned>(n);
    HWND hwnd = ControlOf(control);
    NumberText number;
    SendMessageW(hwnd, LB_RESETCONTENT, 0, 0);

    DWORD start = GetTickCount();
    for (unsigned i = 0; i < loop; ++i)
        SendMessageA(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(number.Format(i)));
    SendMessageW(hwnd, LB_SETCURSEL, loop - 2, 0);
    SendMessageW(hwnd, LB_SETCURSEL, loop - 1, 0);
    SetElapsed(start, GetTickCount());
    FinishTest(11);
}

void CVelkoras::OnTabControl(WPARAM n, LPARAM control) {
    static char kTabTexts[5][8] = {"TAB1", "TAB2", "TAB3", "TAB4", "TAB5"};
    const unsigned loop = static_cast<unsigned>(n);
    HWND hwnd = ControlOf(control);
    TCITEMA tab{};
    tab.mask = TCIF_TEXT;
    SendMessageW(hwnd, TCM_DELETEALLITEMS, 0, 0);

    // The tab insertion is part of the timed work.
    DWORD start = GetTickCount();
    for (int t = 0; t < 5; ++t) {
        tab.pszText = kTabTexts[t];
        SendMessageA(hwnd, TCM_INSERTITEMA, static_cast<WPARAM>(t), reinterpret_cast<LPARAM>(&tab));
    }
    for (unsigned i = 0; i < loop; ++i)
        SendMessageW(hwnd, TCM_SETCURSEL, i % 5, 0);
    SetElapsed(start, GetTickCount());
    FinishTest(12);
}

void CVelkoras::OnComboBox(WPARAM n, LPARAM control) {
    const unsigned loop = static_cast<unsigned>(n);
    const unsigned half = loop >> 1;
    const unsigned dropDowns = loop / 500;
    HWND hwnd = ControlOf(control);
    NumberText number;
    SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);

    DWORD start = GetTickCount();
    for (unsigned i = 0; i < half; ++i)
        SendMessageA(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(number.Format(i)));
    for (unsigned k = 0; k < dropDowns; ++k) {
        SendMessageW(hwnd, CB_SHOWDROPDOWN, TRUE, 0);
        SendMessageW(hwnd, CB_SHOWDROPDOWN, FALSE, 0);
    }
    // By index: the selection walks the sorted order ("10" before "2").
    for (unsigned i = 0; i < half; ++i) {
        number.Format(i);
        SendMessageW(hwnd, CB_SETCURSEL, i, 0);
    }
    SendMessageW(hwnd, CB_SHOWDROPDOWN, FALSE, 0);
    SetElapsed(start, GetTickCount());
    FinishTest(13);
}

void CVelkoras::RunTreeTest(int index, WPARAM n, LPARAM control, bool icons) {
    static char kRoot[] = "ROOT";
    const unsigned trees = static_cast<unsigned>(n) / 100;
    HWND hwnd = ControlOf(control);
    NumberText topText;
    NumberText childText;
    const UINT imageMask = icons ? (TVIF_IMAGE | TVIF_SELECTEDIMAGE) : 0;

    HIMAGELIST previousList = nullptr;
    if (icons)
        previousList = reinterpret_cast<HIMAGELIST>(SendMessageW(
            hwnd, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(m_imageList.Get())));
    SendMessageW(hwnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));

    TVINSERTSTRUCTA top{};
    top.hParent = TVI_ROOT;
    top.hInsertAfter = TVI_LAST;
    top.item.mask = TVIF_TEXT | imageMask;
    top.item.iImage = 0;
    top.item.iSelectedImage = 1;
    top.item.pszText = kRoot;
    SendMessageA(hwnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&top));

    TVINSERTSTRUCTA child{};
    child.hInsertAfter = TVI_LAST;
    child.item.mask = TVIF_TEXT | imageMask;
    child.item.iImage = 1;
    child.item.iSelectedImage = 1;
    child.item.pszText = childText.text;
    top.item.pszText = topText.text;

    DWORD start = GetTickCount();
    for (unsigned t = 0; t < trees; ++t) {
        topText.Format(t);
        HTREEITEM parent = reinterpret_cast<HTREEITEM>(
            SendMessageA(hwnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&top)));
        child.hParent = parent;
        for (unsigned c = 0; c < 100; ++c) {
            childText.Format(c);
            SendMessageA(hwnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&child));
        }
        SendMessageW(hwnd, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    }
    // Each collapsed tree hides its children, so the next visible item is
    // the next top-level one.
    LPARAM item = SendMessageW(hwnd, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    for (unsigned t = 0; t < trees; ++t) {
        item = SendMessageW(hwnd, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, item);
        SendMessageW(hwnd, TVM_EXPAND, TVE_COLLAPSE, item);
    }
    SendMessageW(hwnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    SetElapsed(start, GetTickCount());

    if (icons)
        SendMessageW(hwnd, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(previousList));
    FinishTest(index);
}

void CVelkoras::OnTreeView(WPARAM n, LPARAM control) {
    RunTreeTest(14, n, control, false);
}

void CVelkoras::OnTreeView2(WPARAM n, LPARAM control) {
    RunTreeTest(15, n, control, true);
}

void CVelkoras::RunListViewTest(int index, WPARAM n, LPARAM control, bool icons) {
    static char kHeadings[3][8] = {"TEST1", "TEST2", "TEST3"};
    static char kTwo[] = "2";
    static char kThree[] = "3";
    const unsigned rows = static_cast<unsigned>(n) >> 1;
    HWND hwnd = ControlOf(control);
    NumberText number;

    HIMAGELIST previousList = nullptr;
    if (icons)
        previousList = reinterpret_cast<HIMAGELIST>(SendMessageW(
            hwnd, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_imageList.Get())));
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
    column.fmt = LVCFMT_LEFT;
    column.cx = 50;
    for (int c = 0; c < 3; ++c) {
        column.pszText = kHeadings[c];
        SendMessageA(hwnd, LVM_INSERTCOLUMNA, static_cast<WPARAM>(c),
                     reinterpret_cast<LPARAM>(&column));
    }

    LVITEMA row{};
    row.mask = LVIF_TEXT | (icons ? LVIF_IMAGE : 0);
    row.iImage = 0;
    row.pszText = number.text;
    LVITEMA cell{};
    cell.mask = LVIF_TEXT;

    DWORD start = GetTickCount();
    for (unsigned i = 0; i < rows; ++i) {
        number.Format(i);
        row.iItem = static_cast<int>(i);
        WPARAM inserted = static_cast<WPARAM>(
            SendMessageA(hwnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
        cell.iSubItem = 1;
        cell.pszText = kTwo;
        SendMessageA(hwnd, LVM_SETITEMTEXTA, inserted, reinterpret_cast<LPARAM>(&cell));
        cell.iSubItem = 2;
        cell.pszText = kThree;
        SendMessageA(hwnd, LVM_SETITEMTEXTA, inserted, reinterpret_cast<LPARAM>(&cell));
    }
    SendMessageW(hwnd, LVM_DELETECOLUMN, 2, 0);
    SendMessageW(hwnd, LVM_DELETECOLUMN, 1, 0);
    SendMessageW(hwnd, LVM_DELETECOLUMN, 0, 0);
    SendMessageW(hwnd, LVM_DELETEALLITEMS, 0, 0);
    SetElapsed(start, GetTickCount());

    if (icons)
        SendMessageW(hwnd, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(previousList));
    FinishTest(index);
}

void CVelkoras::OnListView(WPARAM n, LPARAM control) {
    RunListViewTest(16, n, control, false);
}

void CVelkoras::OnListView2(WPARAM n, LPARAM control) {
    RunListViewTest(17, n, control, true);
}
