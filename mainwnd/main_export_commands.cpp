// TXT COPY and BMP COPY: the shown record through the clipboard.
#include "mainwnd/main_dlg.h"

void CMainDlg::OnCopyText(fw::Message&) {}

void CMainDlg::OnCopyBitmap(fw::Message&) {}
