#include "mainwnd/add_data_dlg.h"

#include "framework/data_exchange.h"
#include "res/resource.h"

namespace {

const wchar_t kDeleteCaption[] = L"データの削除";
const wchar_t kDeleteMessage[] = L"以下の登録データを削除します。\nよろしいですか？";

}  // namespace

CAddDataDlg::CAddDataDlg(Mode mode, const records::RecordForm& form, HWND parent)
    : fw::Dialog(IDD_ADDDATA, parent), m_form(form), m_nMode(mode) {}

void CAddDataDlg::DoDataExchange(fw::DataExchange& dx) {
    dx.Bind(IDC_ADD_MESSAGE, m_lblMessage);
    dx.Bind(IDC_ADD_NAME_LABEL, m_lblName);
    dx.Bind(IDC_ADD_USER_LABEL, m_lblUser);
    dx.Bind(IDC_ADD_COMPUTER_LABEL, m_lblComputer);
    dx.Bind(IDC_ADD_MEMO_LABEL, m_lblMemo);
    dx.Bind(IDC_ADD_DATE_LABEL, m_lblDate);
    dx.Text(IDC_ADD_COMPUTER, m_form.pcName);
    dx.Text(IDC_ADD_NAME, m_form.systemName);
    dx.Text(IDC_ADD_USER, m_form.userName);
    dx.Text(IDC_ADD_MEMO, m_form.memo);
    dx.Text(IDC_ADD_DATE, m_form.date);
}

BOOL CAddDataDlg::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    CColorLabel::SetTextColors({{&m_lblMessage, palette::kViolet},
                                {&m_lblName, palette::kYellow},
                                {&m_lblUser, palette::kBlue},
                                {&m_lblComputer, palette::kGreen},
                                {&m_lblMemo, palette::kRose},
                                {&m_lblDate, palette::kCyan}});
    if (m_nMode == kDeleteMode) {
        // The record is shown, not edited: only OK and CANCEL act.
        SetText(kDeleteCaption);
        SetItemText(IDC_ADD_MESSAGE, kDeleteMessage);
        for (int id : {IDC_ADD_NAME, IDC_ADD_USER, IDC_ADD_COMPUTER, IDC_ADD_MEMO})
            SendItem(id, EM_SETREADONLY, TRUE);
        m_lblMessage.SetTextColor(palette::kRed);
    }
    return TRUE;
}
