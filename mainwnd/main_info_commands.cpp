// The commands that open the information windows: processor, video card
// name, system information, options and the test description.
#include "mainwnd/main_dlg.h"

void CMainDlg::OnProcessorCommand(fw::Message&) {}

void CMainDlg::OnVideoCommand(fw::Message&) {}

void CMainDlg::OnSystemCommand(fw::Message&) {}

void CMainDlg::OnOptionsCommand(fw::Message&) {}

void CMainDlg::OnListDoubleClick(fw::Message& m) { m.result = 0; }
