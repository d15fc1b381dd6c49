// The system information dialog: platform, user and computer name, date,
// memo and the four Windows settings of one system record. The caller fills
// the members before the modal run and reads them after OK. For a stored
// record it sets m_nReadOnly, and nothing can be edited; the settings marks
// are never editable: the buttons only show them.
#pragma once

#include <string>

#include "framework/dialog.h"
#include "framework/color_label.h"

class CSystemInfoDlg : public fw::Dialog {
  public:
    CSystemInfoDlg();

    // Texts in the ANSI code page; the memo's line breaks are CR LF.
    int m_bComboAnimation = 0;
    int m_bFontSmoothing = 0;
    int m_bListAnimation = 0;
    int m_bSmoothScroll = 0;
    std::string m_strPCName;
    std::string m_strPlatform;
    std::string m_strUserName;
    std::string m_strDate;
    std::string m_strMemo;
    int m_nReadOnly = 0;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& dx) override;

  private:
    CColorLabel m_lblDate, m_lblMemo, m_lblUserName, m_lblPlatform, m_lblPCName, m_lblNote;
};
