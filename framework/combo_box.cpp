#include "framework/combo_box.h"

namespace fw {

std::wstring ComboBox::ItemText(int index) const {
    // The length first, then a buffer that holds it and the terminator.
    const LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length <= 0)
        return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    // The length may promise more than the copy holds (the box may count a
    // double-byte text in bytes); CB_ERR leaves nothing.
    text.resize(copied > 0 && copied <= length ? static_cast<size_t>(copied) : 0);
    return text;
}

}  // namespace fw
