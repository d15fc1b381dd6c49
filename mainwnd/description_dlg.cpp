#include "mainwnd/description_dlg.h"

#include <utility>

#include "framework/text.h"
#include "res/resource.h"

CDescriptionDlg::CDescriptionDlg(UINT textId, std::wstring title)
    : fw::Dialog(IDD_DESCRIPTION), m_nTextId(textId), m_strTitle(std::move(title)) {}

BOOL CDescriptionDlg::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    if (m_nTextId == 0)
        return TRUE;
    SetItemText(IDC_DESC_TEXT, fw::LoadResourceString(m_nTextId));
    SetText(m_strTitle);
    return TRUE;
}
