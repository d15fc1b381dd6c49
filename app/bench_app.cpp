#include "app/bench_app.h"

#include "app/splash_dlg.h"
#include "framework/failure.h"
#include "mainwnd/main_dlg.h"
#include "res/resource.h"

bool CBenchApp::InitInstance() {
    fw::SetFailureMessages({IDS_CAPTION, IDS_OUT_OF_MEMORY, IDS_UNEXPECTED_ERROR});
    CSplashDlg splash;
    splash.DoModal();
    CMainDlg main;
    SetMainWindow(&main);
    main.DoModal();
    SetMainWindow(nullptr);
    return false;
}
