#include "sysinfo/video_name_dlg.h"

#include <utility>
#include <vector>

#include "framework/combo_box.h"
#include "framework/data_exchange.h"
#include "framework/text.h"
#include "res/resource.h"
#include "sysinfo/system_probe.h"

CVideoNameDlg::CVideoNameDlg(std::string name, bool readOnly)
    : fw::Dialog(IDD_VIDEONAME), m_strVideoName(std::move(name)), m_bReadOnly(readOnly) {}

void CVideoNameDlg::DoDataExchange(fw::DataExchange& dx) {
    dx.Bind(IDC_VIDEO_NAME_LABEL, m_lblVideoName);
    dx.Bind(IDC_VIDEO_NAME_NOTE, m_lblNote);
    std::wstring name = fw::WidenAnsi(m_strVideoName);
    dx.ComboText(IDC_VIDEO_NAME_COMBO, name);
    if (dx.Saving() && !dx.Failed())
        m_strVideoName = fw::NarrowAnsi(name);
}

BOOL CVideoNameDlg::OnInitDialog() {
    // The list is still empty here, so the name goes into the edit field.
    fw::Dialog::OnInitDialog();
    BOOL focusDefault = TRUE;
    if (m_bReadOnly) {
        ShowItem(IDC_VIDEO_NAME_NOTE, false);
        ShowItem(IDC_VIDEO_NAME_COMBO, false);
        ShowItem(IDCANCEL, false);
        ShowItem(IDC_VIDEO_NAME_EDIT, true);
        SetItemText(IDC_VIDEO_NAME_EDIT, fw::WidenAnsi(m_strVideoName));
        FocusItem(IDOK);
        focusDefault = FALSE;
    } else {
        std::string last;
        std::vector<std::string> cards;
        sysinfo::SystemProbe().ProbeVideoCard(last, 0, &cards);
        const fw::ComboBox names(Item(IDC_VIDEO_NAME_COMBO));
        for (const std::string& card : cards)
            names.AddString(fw::WidenAnsi(card));
    }
    CColorLabel::SetTextColors(
        {{&m_lblNote, palette::kYellow}, {&m_lblVideoName, palette::kGreen}});
    return focusDefault;
}
