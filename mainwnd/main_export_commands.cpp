// TXT COPY and BMP COPY: the shown record, or a picture of the window,
// through the clipboard.
#include <windows.h>

#include <string>

#include "framework/clipboard.h"
#include "framework/gdi.h"
#include "mainwnd/dib_capture.h"
#include "mainwnd/main_dlg.h"
#include "records/ini_store.h"
#include "records/record.h"
#include "records/record_commands.h"
#include "res/resource.h"

namespace {

// The row of buttons under the total row, left out of the picture.
const int kButtonRowHeight = 26;
// The logo covers START ALL inside this margin.
const int kLogoMargin = 8;

}  // namespace

void CMainDlg::OnCopyText(fw::Message&) {
    // The selected record as the file holds it; for "This System" with the
    // times the window shows, also when saving them failed.
    records::IniFile file;
    m_book.Load(file);
    const records::Record record = m_book.ShownRecord(file, SelectedRecord());
    const std::string text =
        records::RecordClipboardText(record.system, record.processor, record.timing);

    switch (fw::PutAnsiText(hwnd_, text)) {
        case fw::ClipboardResult::kNotOpened:
            ShowResourceMessage(IDS_CLIPBOARD_FAILED);
            return;
        case fw::ClipboardResult::kNotSet:
            ShowResourceMessage(IDS_COPY_FAILED);
            return;
        case fw::ClipboardResult::kSet:
            break;
    }
    MessageBeep(0);
}

void CMainDlg::OnCopyBitmap(fw::Message&) {
    fw::WindowDC client(hwnd_);
    fw::MemoryDC logoDC(client.Get());
    fw::Bitmap logo(static_cast<HBITMAP>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_COPYLOGO), IMAGE_BITMAP, 0, 0, 0)));
    fw::ScopedSelect logoSelected(logoDC.Get(), logo.Get());

    const RECT c = ClientRect();
    RECT r = ItemRect(IDC_START_ALL);
    InflateRect(&r, -kLogoMargin, -kLogoMargin);

    // A minimised window, or a system out of memory, gives no picture: say
    // so instead of leaving the clipboard as it was without a word.
    CDibCapture image;
    if (client.Get() == nullptr || logoDC.Get() == nullptr || !logo ||
        !image.Create(client.Get(), c.right - c.left, c.bottom - c.top - kButtonRowHeight)) {
        ShowResourceMessage(IDS_COPY_FAILED);
        return;
    }
    // What the screen shows of the client area, without the button row.
    image.Capture(client.Get(), 0, 0);
    {
        fw::ScopedSelect brush(image.DC(), GetStockObject(BLACK_BRUSH));
        Rectangle(image.DC(), r.left, r.top, r.right, r.bottom);
    }
    BitBlt(image.DC(), r.left, r.top, r.right - r.left, r.bottom - r.top, logoDC.Get(), 0, 0,
           SRCCOPY);

    if (image.CopyToClipboard(hwnd_))
        MessageBeep(0);
    else
        ShowResourceMessage(IDS_CLIPBOARD_FAILED);
}
