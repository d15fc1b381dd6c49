// A borrowed tree-view control: one message per method. The wrapper never
// owns or destroys the control; a copy is as good as the handle it holds.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/window.h"

namespace fw {

class TreeView : public Window {
  public:
    using Window::Window;

    // An item with a text under `parent` (TVI_ROOT: at the top), after
    // `after` (TVI_LAST: as the last child). The new item, or null.
    HTREEITEM InsertItem(HTREEITEM parent, const std::wstring& text,
                         HTREEITEM after = TVI_LAST) const {
        TVINSERTSTRUCTW insert{};
        insert.hParent = parent;
        insert.hInsertAfter = after;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = const_cast<wchar_t*>(text.c_str());
        return reinterpret_cast<HTREEITEM>(
            Send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    // Shows (TVE_EXPAND) or hides (TVE_COLLAPSE) an item's children.
    bool Expand(HTREEITEM item, UINT how = TVE_EXPAND) const {
        return Send(TVM_EXPAND, how, reinterpret_cast<LPARAM>(item)) != FALSE;
    }

    // The tree keeps a borrowed image list; the previous one is returned.
    HIMAGELIST SetImageList(HIMAGELIST images, int which = TVSIL_NORMAL) const {
        return reinterpret_cast<HIMAGELIST>(
            Send(TVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(images)));
    }
    // The previous text colour is returned.
    COLORREF SetTextColor(COLORREF colour) const {
        return static_cast<COLORREF>(Send(TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(colour)));
    }
};

}  // namespace fw
