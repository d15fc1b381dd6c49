// The video card name dialog: the name can be typed or picked from the
// video cards the running system reports. The caller sets the name before
// the modal run and reads it after OK. For a stored record it sets
// m_nReadOnly: the name then shows in a read-only field and only OK is
// left.
#pragma once

#include <string>

#include "framework/dialog.h"
#include "framework/color_label.h"

class CVideoNameDlg : public fw::Dialog {
  public:
    CVideoNameDlg();

    std::string m_strVideoName;  // in the ANSI code page
    int m_nReadOnly = 0;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& dx) override;

  private:
    CColorLabel m_lblVideoName, m_lblNote;
};
