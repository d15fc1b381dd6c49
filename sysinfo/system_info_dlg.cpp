#include "sysinfo/system_info_dlg.h"

#include "framework/data_exchange.h"
#include "res/resource.h"

CSystemInfoDlg::CSystemInfoDlg(const Fields& shown, bool readOnly)
    : fw::Dialog(IDD_SYSTEMINFO), m_fields(shown), m_bReadOnly(readOnly) {}

void CSystemInfoDlg::DoDataExchange(fw::DataExchange& dx) {
    dx.Bind(IDC_SYS_DATE_LABEL, m_lblDate);
    dx.Bind(IDC_SYS_MEMO_LABEL, m_lblMemo);
    dx.Bind(IDC_SYS_USER_LABEL, m_lblUserName);
    dx.Bind(IDC_SYS_PLATFORM_LABEL, m_lblPlatform);
    dx.Bind(IDC_SYS_COMPUTER_LABEL, m_lblPCName);
    dx.Bind(IDC_SYS_NOTE, m_lblNote);
    dx.Check(IDC_SYS_COMBO_ANIMATION, m_fields.comboAnimation);
    dx.Check(IDC_SYS_FONT_SMOOTHING, m_fields.fontSmoothing);
    dx.Check(IDC_SYS_LIST_ANIMATION, m_fields.listAnimation);
    dx.Check(IDC_SYS_SMOOTH_SCROLL, m_fields.smoothScroll);
    dx.Text(IDC_SYS_COMPUTER, m_fields.pcName);
    dx.Text(IDC_SYS_PLATFORM, m_fields.platform);
    dx.Text(IDC_SYS_USER, m_fields.userName);
    dx.Text(IDC_SYS_DATE, m_fields.date);
    dx.Text(IDC_SYS_MEMO, m_fields.memo);
}

BOOL CSystemInfoDlg::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    CColorLabel::SetTextColors({{&m_lblUserName, palette::kBlue},
                                {&m_lblPlatform, palette::kYellow},
                                {&m_lblPCName, palette::kGreen},
                                {&m_lblNote, palette::kRed},
                                {&m_lblMemo, palette::kRose},
                                {&m_lblDate, palette::kCyan}});
    if (m_bReadOnly) {
        // The platform and the date are read-only anyway; the buttons stay.
        for (int id : {IDC_SYS_USER, IDC_SYS_COMPUTER, IDC_SYS_MEMO})
            SendItem(id, EM_SETREADONLY, TRUE);
    }
    return TRUE;
}
