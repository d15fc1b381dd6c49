// The popup menu of the main window.
#include "mainwnd/main_dlg.h"

void CMainDlg::OnContextMenu(fw::Message& m) { m.handled = false; }
