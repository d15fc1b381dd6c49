#include "app/bench_app.h"

#include "app/splash_dlg.h"
#include "mainwnd/main_dlg.h"

bool CBenchApp::InitInstance() {
    CSplashDlg splash;
    splash.DoModal();
    CMainDlg main;
    SetMainWindow(&main);
    main.DoModal();
    SetMainWindow(nullptr);
    return false;
}
