// An off-screen 24-bit picture with its own drawing surface: a DIB section
// selected into a memory DC. BMP COPY takes the main window into it, draws
// on it and hands a copy to the clipboard. Every handle it holds has an
// owner below; Free releases them at once, the destructor by itself.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "framework/gdi.h"

class CDibCapture {
  public:
    CDibCapture() = default;
    CDibCapture(const CDibCapture&) = delete;
    CDibCapture& operator=(const CDibCapture&) = delete;

    // Frees any previous picture, then makes one of width x height pixels
    // (bottom-up rows) on the reference DC. 0 when the size is not positive
    // or too large, or the header, the DIB section or the DC cannot be made;
    // nothing is held then. Else 1.
    int Create(HDC reference, int width, int height);
    void Free();
    // Copies width x height pixels from (x, y) of the source to (0, 0).
    void Capture(HDC source, int x, int y);
    // Puts a device-dependent copy on the clipboard as CF_BITMAP. 0 when the
    // clipboard cannot be opened or the copy cannot be made or set; else the
    // result of closing the clipboard.
    int CopyToClipboard(HWND owner);

    HDC DC() const { return m_memDC.Get(); }
    int Width() const { return m_pHeader != nullptr ? m_pHeader->bmiHeader.biWidth : 0; }
    int Height() const { return m_pHeader != nullptr ? m_pHeader->bmiHeader.biHeight : 0; }
    const BITMAPINFO* Header() const { return m_pHeader.get(); }
    const void* Bits() const { return m_pBits; }

    // Bytes of one pixel row: width x 3 rounded up to a multiple of 4.
    static DWORD RowBytes(int width);

  private:
    struct GlobalFreer {
        void operator()(void* memory) const { GlobalFree(memory); }
    };

    // Declared in the order of making; they go in reverse: the DIB leaves
    // the DC before the DC and then the DIB are deleted.
    std::unique_ptr<BITMAPINFO, GlobalFreer> m_pHeader;  // header only, zero-initialised
    void* m_pBits = nullptr;                             // owned by the DIB section
    fw::Bitmap m_dib;
    fw::MemoryDC m_memDC;
    std::optional<fw::ScopedSelect> m_dibSelected;
};
