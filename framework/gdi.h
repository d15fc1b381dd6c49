// Owners and scope guards for GDI objects, device contexts, image lists,
// icons and menus.
//
// An owning type deletes its handle; a scope guard undoes SelectObject or
// GetDC when the scope ends, so no drawing code releases by hand at every
// exit.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/handle.h"

namespace fw {

// A GDI object (font, brush, pen, bitmap), deleted by its owner.
struct GdiObjectTraits {
    static bool IsEmpty(HGDIOBJ object) { return object == nullptr; }
    static bool Free(HGDIOBJ object) { return DeleteObject(object) != FALSE; }
};
template <class H>
using GdiObject = UniqueHandle<H, GdiObjectTraits>;

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Bitmap = GdiObject<HBITMAP>;

// Selects an object into a DC for the scope and puts the previous one back.
class ScopedSelect {
  public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelect() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// GetDC/ReleaseDC of a window (the screen for a null window).
class WindowDC {
  public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDC() {
        if (dc_ != nullptr)
            ReleaseDC(hwnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }

  private:
    HWND hwnd_;
    HDC dc_;
};

// An owned memory DC (DeleteDC on destruction). A null DC to make it
// compatible with gives one compatible with the screen.
class MemoryDC {
  public:
    MemoryDC() = default;
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() { Reset(); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    void Reset(HDC dc = nullptr) {
        if (dc_ != nullptr)
            DeleteDC(dc_);
        dc_ = dc;
    }

  private:
    HDC dc_ = nullptr;
};

// BeginPaint/EndPaint for a WM_PAINT handler.
class PaintDC {
  public:
    explicit PaintDC(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
    ~PaintDC() { EndPaint(hwnd_, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC Get() const { return dc_; }
    const PAINTSTRUCT& Info() const { return ps_; }

  private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// The font of the program's lists, trees and graph title: Courier New 13,
// normal weight, Shift-JIS, TrueType, proof quality. The caller owns it.
inline HFONT CreateListFont() {
    return CreateFontW(13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_TT_PRECIS,
                       CLIP_LH_ANGLES | CLIP_TT_ALWAYS, PROOF_QUALITY, VARIABLE_PITCH,
                       L"Courier New");
}

// An image list, destroyed by its owner.
struct ImageListTraits {
    static bool IsEmpty(HIMAGELIST list) { return list == nullptr; }
    static bool Free(HIMAGELIST list) { return ImageList_Destroy(list) != FALSE; }
};
using ImageList = UniqueHandle<HIMAGELIST, ImageListTraits>;

// An icon made for one size (LoadImage without LR_SHARED), destroyed by its
// owner; a shared icon (LoadIcon) is borrowed and never destroyed.
struct IconTraits {
    static bool IsEmpty(HICON icon) { return icon == nullptr; }
    static bool Free(HICON icon) { return DestroyIcon(icon) != FALSE; }
};
using Icon = UniqueHandle<HICON, IconTraits>;

// A menu loaded from the resources, destroyed with its submenus by its owner.
struct MenuTraits {
    static bool IsEmpty(HMENU menu) { return menu == nullptr; }
    static bool Free(HMENU menu) { return DestroyMenu(menu) != FALSE; }
};
using Menu = UniqueHandle<HMENU, MenuTraits>;

}  // namespace fw
