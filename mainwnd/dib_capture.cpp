#include "mainwnd/dib_capture.h"

#include <utility>

#include "framework/clipboard.h"

namespace {

// Pictures above this many bytes are refused rather than attempted: the
// size arithmetic then stays far from overflow, and a bogus size never asks
// the system for gigabytes.
const DWORD kMaxImageBytes = 256u << 20;

}  // namespace

DWORD CDibCapture::RowBytes(int width) {
    return (static_cast<DWORD>(width) * 3 + 3) & ~3u;
}

int CDibCapture::Create(HDC reference, int width, int height) {
    Free();
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535)
        return 0;
    const DWORD rowBytes = RowBytes(width);
    if (rowBytes > kMaxImageBytes / static_cast<DWORD>(height))
        return 0;

    m_pHeader.reset(static_cast<BITMAPINFO*>(GlobalAlloc(GPTR, sizeof(BITMAPINFOHEADER))));
    if (m_pHeader == nullptr)
        return 0;
    BITMAPINFOHEADER& h = m_pHeader->bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = width;
    h.biHeight = height;  // positive: bottom-up rows
    h.biPlanes = 1;
    h.biBitCount = 24;
    h.biCompression = BI_RGB;
    h.biSizeImage = rowBytes * static_cast<DWORD>(height);

    m_dib.Reset(CreateDIBSection(reference, m_pHeader.get(), DIB_RGB_COLORS, &m_pBits, nullptr, 0));
    if (m_dib)
        m_memDC.Reset(CreateCompatibleDC(reference));
    if (!m_memDC) {
        Free();
        return 0;
    }
    m_dibSelected.emplace(m_memDC.Get(), m_dib.Get());
    return 1;
}

void CDibCapture::Free() {
    m_dibSelected.reset();
    m_memDC.Reset();
    m_dib.Reset();
    m_pBits = nullptr;
    m_pHeader.reset();
}

void CDibCapture::Capture(HDC source, int x, int y) {
    if (m_memDC)
        BitBlt(m_memDC.Get(), 0, 0, Width(), Height(), source, x, y, SRCCOPY);
}

int CDibCapture::CopyToClipboard(HWND owner) {
    if (!m_memDC)
        return 0;
    // The DIB section's own drawing is finished before its bits are read.
    GdiFlush();
    // A device-dependent bitmap of the display: one made compatible with
    // the memory DC would be a DIB section again, which the clipboard of
    // some systems (Wine) cannot hand to other programs.
    fw::Bitmap copy;
    {
        fw::WindowDC screen(nullptr);
        if (screen.Get() != nullptr)
            copy.Reset(CreateDIBitmap(screen.Get(), &m_pHeader->bmiHeader, CBM_INIT, m_pBits,
                                      m_pHeader.get(), DIB_RGB_COLORS));
    }
    return fw::PutBitmap(owner, std::move(copy)) == fw::ClipboardResult::kSet ? 1 : 0;
}
