#include "mainwnd/dib_capture.h"

namespace {

// Pictures above this many bytes are refused rather than attempted: the
// size arithmetic then stays far from overflow, and a bogus size never asks
// the system for gigabytes.
const DWORD kMaxImageBytes = 256u << 20;

}  // namespace

CDibCapture::~CDibCapture() {
    Free();
}

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

    m_pHeader = static_cast<BITMAPINFO*>(GlobalAlloc(GPTR, sizeof(BITMAPINFOHEADER)));
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

    m_hDib = CreateDIBSection(reference, m_pHeader, DIB_RGB_COLORS, &m_pBits, nullptr, 0);
    m_hMemDC = m_hDib != nullptr ? CreateCompatibleDC(reference) : nullptr;
    if (m_hMemDC == nullptr) {
        Free();
        return 0;
    }
    m_hPrevBitmap = SelectObject(m_hMemDC, m_hDib);
    return 1;
}

void CDibCapture::Free() {
    if (m_hMemDC != nullptr) {
        SelectObject(m_hMemDC, m_hPrevBitmap);
        DeleteDC(m_hMemDC);
    }
    if (m_hDib != nullptr)
        DeleteObject(m_hDib);
    if (m_pHeader != nullptr)
        GlobalFree(m_pHeader);
    m_pHeader = nullptr;
    m_pBits = nullptr;
    m_hDib = nullptr;
    m_hPrevBitmap = nullptr;
    m_hMemDC = nullptr;
}

void CDibCapture::Capture(HDC source, int x, int y) {
    if (m_hMemDC != nullptr)
        BitBlt(m_hMemDC, 0, 0, Width(), Height(), source, x, y, SRCCOPY);
}

int CDibCapture::CopyToClipboard(HWND owner) {
    if (m_hMemDC == nullptr || !OpenClipboard(owner))
        return 0;
    EmptyClipboard();
    // The DIB section's own drawing is finished before its bits are read.
    GdiFlush();
    // A device-dependent bitmap of the display: one made compatible with
    // the memory DC would be a DIB section again, which the clipboard of
    // some systems (Wine) cannot hand to other programs.
    HBITMAP copy = nullptr;
    if (HDC screen = GetDC(nullptr)) {
        copy = CreateDIBitmap(screen, &m_pHeader->bmiHeader, CBM_INIT, m_pBits, m_pHeader,
                              DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
    }
    // Once set, the bitmap belongs to the clipboard.
    const bool set = copy != nullptr && SetClipboardData(CF_BITMAP, copy) != nullptr;
    if (!set && copy != nullptr)
        DeleteObject(copy);
    const BOOL closed = CloseClipboard();
    return set && closed ? 1 : 0;
}
