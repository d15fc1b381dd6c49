#include "sysinfo/system_info_dlg.h"

#include "framework/data_exchange.h"
#include "res/resource.h"

CSystemInfoDlg::CSystemInfoDlg() : fw::Dialog(IDD_SYSTEMINFO) {}

void CSystemInfoDlg::DoDataExchange(fw::DataExchange& dx) {
    dx.Bind(IDC_SYS_DATE_LABEL, m_lblDate);
    dx.Bind(IDC_SYS_MEMO_LABEL, m_lblMemo);
    dx.Bind(IDC_SYS_USER_LABEL, m_lblUserName);
    dx.Bind(IDC_SYS_PLATFORM_LABEL, m_lblPlatform);
    dx.Bind(IDC_SYS_COMPUTER_LABEL, m_lblPCName);
    dx.Bind(IDC_SYS_NOTE, m_lblNote);
    dx.Check(IDC_SYS_COMBO_ANIMATION, m_bComboAnimation);
    dx.Check(IDC_SYS_FONT_SMOOTHING, m_bFontSmoothing);
    dx.Check(IDC_SYS_LIST_ANIMATION, m_bListAnimation);
    dx.Check(IDC_SYS_SMOOTH_SCROLL, m_bSmoothScroll);
    dx.Text(IDC_SYS_COMPUTER, m_strPCName);
    dx.Text(IDC_SYS_PLATFORM, m_strPlatform);
    dx.Text(IDC_SYS_USER, m_strUserName);
    dx.Text(IDC_SYS_DATE, m_strDate);
    dx.Text(IDC_SYS_MEMO, m_strMemo);
}

BOOL CSystemInfoDlg::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    CColorLabel::SetTextColors({{&m_lblUserName, palette::kBlue},
                                {&m_lblPlatform, palette::kYellow},
                                {&m_lblPCName, palette::kGreen},
                                {&m_lblNote, palette::kRed},
                                {&m_lblMemo, palette::kRose},
                                {&m_lblDate, palette::kCyan}});
    if (m_nReadOnly) {
        // The platform and the date are read-only anyway; the buttons stay.
        for (int id : {IDC_SYS_USER, IDC_SYS_COMPUTER, IDC_SYS_MEMO})
            SendItem(id, EM_SETREADONLY, TRUE);
    }
    return TRUE;
}
