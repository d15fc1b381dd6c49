#include "framework/list_view.h"

#include <algorithm>

namespace fw {

namespace {
// The first read's buffer; a longer cell doubles it until the text fits, up
// to a bound that no cell of ours comes near.
const size_t kFirstCellBuffer = 64;
const size_t kLongestCell = 1 << 20;
}  // namespace

int ListView::InsertColumn(int column, const wchar_t* heading, int width, int format) const {
    LVCOLUMNW lvc{};
    lvc.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    lvc.fmt = format;
    lvc.cx = width;
    lvc.iSubItem = column;
    lvc.pszText = const_cast<wchar_t*>(heading);
    return static_cast<int>(Send(LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&lvc)));
}

int ListView::InsertItem(int row, const std::wstring& text, int image) const {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = row;
    item.iImage = image;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool ListView::SetCellText(int row, int column, const std::wstring& text) const {
    LVITEMW cell{};
    cell.iSubItem = column;
    cell.pszText = const_cast<wchar_t*>(text.c_str());
    return Send(LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell)) != FALSE;
}

std::wstring ListView::CellText(int row, int column) const {
    // LVM_GETITEMTEXT answers with the characters it copied, never with the
    // text's length: a text that fills the buffer up to its terminator may
    // have been cut, so the buffer grows and the read is repeated.
    std::wstring buffer(kFirstCellBuffer, L'\0');
    for (;;) {
        LVITEMW cell{};
        cell.iSubItem = column;
        cell.pszText = &buffer[0];
        cell.cchTextMax = static_cast<int>(buffer.size());
        const LRESULT copied = Send(LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
        const size_t n = std::min(copied > 0 ? static_cast<size_t>(copied) : 0, buffer.size() - 1);
        // The control may point at a text of its own instead of copying.
        if (cell.pszText == nullptr)
            return std::wstring();
        if (n + 1 < buffer.size() || buffer.size() >= kLongestCell)
            return std::wstring(cell.pszText, n);
        buffer.assign(buffer.size() * 2, L'\0');
    }
}

}  // namespace fw
