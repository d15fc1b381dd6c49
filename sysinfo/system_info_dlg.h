// The system information dialog: platform, user and computer name, date,
// memo and the four Windows settings of one system record. The window shows
// the fields it is given; for a stored record it is read-only, and nothing
// can be edited. The settings marks are never editable: the buttons only
// show them.
#pragma once

#include <string>

#include "framework/color_label.h"
#include "framework/dialog.h"

class CSystemInfoDlg : public fw::Dialog {
  public:
    // Texts in the ANSI code page, the memo's line breaks CR LF; the marks
    // are 0 or 1.
    struct Fields {
        std::string platform;
        std::string userName;
        std::string pcName;
        std::string date;
        std::string memo;
        int smoothScroll = 0;
        int comboAnimation = 0;
        int listAnimation = 0;
        int fontSmoothing = 0;
    };

    CSystemInfoDlg(const Fields& shown, bool readOnly);

    // The user's edits once DoModal has answered IDOK; otherwise the fields
    // as given.
    const Fields& Result() const { return m_fields; }

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& dx) override;

  private:
    Fields m_fields;
    bool m_bReadOnly;
    CColorLabel m_lblDate, m_lblMemo, m_lblUserName, m_lblPlatform, m_lblPCName, m_lblNote;
};
