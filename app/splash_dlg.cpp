#include "app/splash_dlg.h"

#include "res/resource.h"

namespace {
const UINT_PTR kCloseTimer = 1;
const UINT kShowMs = 1000;
}  // namespace

CSplashDlg::CSplashDlg() : fw::Dialog(IDD_SPLASH) {}

bool CSplashDlg::RouteMessage(fw::Message& m) {
    static const fw::Route<CSplashDlg> routes[] = {
        fw::OnMessage(WM_TIMER, &CSplashDlg::OnTimer),
        fw::OnMessage(WM_LBUTTONDOWN, &CSplashDlg::OnLButtonDown),
    };
    return fw::Dispatch(this, routes, m);
}

BOOL CSplashDlg::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    SetTimer(hwnd_, kCloseTimer, kShowMs, nullptr);
    return TRUE;
}

void CSplashDlg::OnTimer(fw::Message& m) {
    m.handled = false;  // default processing as well
    // Only its own timer closes the box, not one a control of it set.
    if (m.wParam != kCloseTimer)
        return;
    KillTimer(hwnd_, kCloseTimer);
    EndDialog(IDCANCEL);
}

void CSplashDlg::OnLButtonDown(fw::Message& m) {
    EndDialog(IDCANCEL);
    m.handled = false;
}
