#include "mainwnd/description_dlg.h"

#include "framework/text.h"
#include "res/resource.h"

CDescriptionDlg::CDescriptionDlg() : fw::Dialog(IDD_DESCRIPTION) {}

BOOL CDescriptionDlg::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    if (m_nTextId == 0)
        return TRUE;
    SetItemText(IDC_DESC_TEXT, fw::LoadResourceString(m_nTextId));
    SetText(m_strTitle);
    return TRUE;
}
