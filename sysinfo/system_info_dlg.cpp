#include "sysinfo/system_info_dlg.h"

#include "framework/data_exchange.h"
#include "res/resource.h"

namespace {
// Label text colours (0x00BBGGRR).
const COLORREF kBlue = 0xFF0000;
const COLORREF kYellow = 0x00FFFF;
const COLORREF kGreen = 0x00FF00;
const COLORREF kRed = 0x0000FF;
const COLORREF kRose = 0x7F00FF;
const COLORREF kCyan = 0xFFFF00;
}  // namespace

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
    m_lblUserName.SetTextColor(kBlue);
    m_lblPlatform.SetTextColor(kYellow);
    m_lblPCName.SetTextColor(kGreen);
    m_lblNote.SetTextColor(kRed);
    m_lblMemo.SetTextColor(kRose);
    m_lblDate.SetTextColor(kCyan);
    if (m_nReadOnly) {
        // The platform and the date are read-only anyway; the buttons stay.
        for (int id : {IDC_SYS_USER, IDC_SYS_COMPUTER, IDC_SYS_MEMO})
            SendItem(id, EM_SETREADONLY, TRUE);
    }
    return TRUE;
}
