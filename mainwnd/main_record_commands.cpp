// Adding, deleting and importing records from the main window.
#include "mainwnd/main_dlg.h"

void CMainDlg::OnAddData(fw::Message&) {}

void CMainDlg::OnDeleteData(fw::Message&) {}

void CMainDlg::OnDropFiles(fw::Message& m) { m.handled = false; }
