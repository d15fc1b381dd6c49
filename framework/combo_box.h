// A borrowed combo box: one message per method. The wrapper never owns or
// destroys the control; a copy is as good as the handle it holds.
#pragma once

#include <windows.h>

#include <string>

#include "framework/window.h"

namespace fw {

class ComboBox : public Window {
  public:
    using Window::Window;

    // Appends an entry, or puts it in its sorted place where the box sorts.
    // The entry's index, or CB_ERR / CB_ERRSPACE.
    int AddString(const std::wstring& text) const {
        return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    // Inserts an entry at `index` (-1: at the end) whatever the sort style,
    // so that entry i stays what the caller put at i.
    int InsertString(int index, const std::wstring& text) const {
        return static_cast<int>(Send(CB_INSERTSTRING, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(text.c_str())));
    }
    // The entries left, or CB_ERR when there is no such entry.
    int DeleteString(int index) const {
        return static_cast<int>(Send(CB_DELETESTRING, static_cast<WPARAM>(index)));
    }
    int Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }

    // The selected entry, or CB_ERR when none is.
    int CurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    // Selects an entry (-1: none); CB_ERR for -1 or an index out of range.
    int SetCurSel(int index) const {
        return static_cast<int>(Send(CB_SETCURSEL, static_cast<WPARAM>(index)));
    }
    // Selects the first entry that begins with `prefix`, ignoring case, and
    // shows it in the edit field. Its index, or CB_ERR (the box unchanged).
    int SelectString(const std::wstring& prefix) const {
        return static_cast<int>(Send(CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(prefix.c_str())));
    }

    // The text of an entry, whatever its length; empty when there is none.
    std::wstring ItemText(int index) const;
};

}  // namespace fw
