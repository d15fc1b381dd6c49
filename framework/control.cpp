#include "framework/control.h"

#include <commctrl.h>

#include "framework/failure.h"

namespace fw {

namespace {
const wchar_t kControlProperty[] = L"Velkora.Control";
const UINT_PTR kSubclassId = 0x564C4B;  // "VLK"
}  // namespace

Control::~Control() {
    Unbind();
}

bool Control::Bind(HWND control) {
    if (control == nullptr || hwnd_ != nullptr || FromHandle(control) != nullptr)
        return false;
    if (!SetWindowSubclass(control, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    SetPropW(control, kControlProperty, this);
    hwnd_ = control;
    return true;
}

void Control::Unbind() {
    if (hwnd_ == nullptr)
        return;
    if (IsWindow(hwnd_)) {
        RemoveWindowSubclass(hwnd_, SubclassProc, kSubclassId);
        RemovePropW(hwnd_, kControlProperty);
    }
    hwnd_ = nullptr;
}

Control* Control::FromHandle(HWND hwnd) {
    if (hwnd == nullptr)
        return nullptr;
    return static_cast<Control*>(GetPropW(hwnd, kControlProperty));
}

bool Control::OnReflected(Message&) {
    return false;
}

bool Control::RouteMessage(Message&) {
    return false;
}

LRESULT Control::CallOriginal(const Message& m) {
    return DefSubclassProc(m.hwnd, m.msg, m.wParam, m.lParam);
}

LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                       DWORD_PTR data) {
    Control* self = reinterpret_cast<Control*>(data);
    if (msg == WM_NCDESTROY) {
        // The window goes away before the object: forget it, then let the
        // original procedure finish.
        RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
        RemovePropW(hwnd, kControlProperty);
        self->hwnd_ = nullptr;
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
    Message m{hwnd, msg, wp, lp};
    try {
        if (self->RouteMessage(m))
            return m.result;
    } catch (...) {
        // No exception may cross back into the system.
        ReportEscapedException();
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace fw
