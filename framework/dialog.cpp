#include "framework/dialog.h"

#include "framework/application.h"
#include "framework/control.h"
#include "framework/data_exchange.h"
#include "framework/failure.h"

namespace fw {

namespace {

// A static control of a template that shows a bitmap (SS_BITMAP) loads it
// itself and does not free it when it is destroyed (Wine's never does), so
// every dialog with a logo would leave one bitmap behind: a run of the
// benchmark, which opens the test window each time, would grow by one GDI
// object. The dialog takes those bitmaps back and deletes them as it goes.
// Code that puts a bitmap of its own into such a control (STM_SETIMAGE)
// must take it back before the dialog is destroyed.
BOOL CALLBACK ReleaseStaticBitmap(HWND child, LPARAM) {
    wchar_t className[16] = {};
    if (GetClassNameW(child, className, 16) > 0 && lstrcmpiW(className, L"Static") == 0 &&
        (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) {
        HGDIOBJ bitmap = reinterpret_cast<HGDIOBJ>(
            SendMessageW(child, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(nullptr)));
        if (bitmap != nullptr)
            DeleteObject(bitmap);
    }
    return TRUE;
}

void ReleaseStaticBitmaps(HWND dialog) {
    EnumChildWindows(dialog, ReleaseStaticBitmap, 0);
}

}  // namespace

Dialog::Dialog(UINT templateId, HWND parent) : templateId_(templateId), parent_(parent) {}

Dialog::~Dialog() {
    if (hwnd_ != nullptr && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
        ReleaseStaticBitmaps(hwnd_);
        DestroyWindow(hwnd_);
    }
}

INT_PTR Dialog::DoModal() {
    HWND owner = parent_;
    if (owner == nullptr && Application::Current() != nullptr)
        owner = Application::Current()->MainWindowHandle();
    if (owner != nullptr)
        owner = GetAncestor(owner, GA_ROOTOWNER);
    bool disabledOwner = owner != nullptr && IsWindowEnabled(owner);
    if (disabledOwner)
        EnableWindow(owner, FALSE);

    ended_ = false;
    result_ = -1;
    HWND hwnd = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner,
                                   DialogProc, reinterpret_cast<LPARAM>(this));
    if (hwnd != nullptr) {
        if (!ended_ && !IsWindowVisible(hwnd))
            ShowWindow(hwnd, SW_SHOWNORMAL);
        RunModalLoop();
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    // The owner comes back before the dialog goes, so activation returns to it.
    if (disabledOwner)
        EnableWindow(owner, TRUE);
    if (owner != nullptr && hwnd != nullptr && GetActiveWindow() == hwnd)
        SetActiveWindow(owner);
    if (hwnd != nullptr && IsWindow(hwnd))
        DestroyWindow(hwnd);
    hwnd_ = nullptr;
    return result_;
}

void Dialog::RunModalLoop() {
    MSG msg;
    // The run also ends when the window goes without EndDialog (destroyed by
    // its owner going, or by code of its own): WM_NCDESTROY clears hwnd_.
    while (!ended_ && hwnd_ != nullptr) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT ends every loop: hand it on to the next one out.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0)
            break;
        if (PreTranslateMessage(&msg))
            continue;
        if (hwnd_ != nullptr && IsDialogMessageW(hwnd_, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Dialog::EndDialog(INT_PTR result) {
    ended_ = true;
    result_ = result;
    // Wake the modal loop if it is blocked in GetMessage.
    if (hwnd_ != nullptr)
        PostMessageW(hwnd_, WM_NULL, 0, 0);
}

bool Dialog::UpdateData(bool save) {
    DataExchange dx(hwnd_, save);
    DoDataExchange(dx);
    return !dx.Failed();
}

BOOL Dialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void Dialog::OnOK() {
    if (UpdateData(true))
        EndDialog(IDOK);
}

void Dialog::OnCancel() {
    EndDialog(IDCANCEL);
}

bool Dialog::ReflectToControl(Message& m) {
    HWND child = nullptr;
    if (m.msg == WM_DRAWITEM)
        child = reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam)->hwndItem;
    else if (m.msg >= WM_CTLCOLORMSGBOX && m.msg <= WM_CTLCOLORSTATIC)
        child = reinterpret_cast<HWND>(m.lParam);
    Control* control = Control::FromHandle(child);
    return control != nullptr && control->OnReflected(m);
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Dialog* self;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lp);
        SetWindowLongPtrW(hwnd, DWLP_USER, lp);
        self->hwnd_ = hwnd;
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (self == nullptr)
        return FALSE;
    try {
        return self->HandleMessage(msg, wp, lp);
    } catch (...) {
        // No exception may cross back into the system.
        ReportEscapedException();
        return FALSE;
    }
}

INT_PTR Dialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG)
        return OnInitDialog();
    if (msg == WM_DESTROY)
        ReleaseStaticBitmaps(hwnd_);  // the children still exist
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
        hwnd_ = nullptr;
        if (!ended_) {
            // Destroyed without EndDialog: the modal run ends as cancelled,
            // and a loop waiting in GetMessage is woken to see it.
            result_ = IDCANCEL;
            PostMessageW(nullptr, WM_NULL, 0, 0);
        }
        return FALSE;
    }

    Message m{hwnd_, msg, wp, lp};
    bool handled = ReflectToControl(m) || RouteMessage(m);
    if (!handled && msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        if (LOWORD(wp) == IDOK) {
            OnOK();
            return TRUE;
        }
        if (LOWORD(wp) == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
    }
    if (!handled)
        return FALSE;

    // These messages answer through the procedure's return value; every
    // other one through DWLP_MSGRESULT.
    switch (msg) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
            return static_cast<INT_PTR>(m.result);
        default:
            if (hwnd_ != nullptr)
                SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, m.result);
            return TRUE;
    }
}

}  // namespace fw
