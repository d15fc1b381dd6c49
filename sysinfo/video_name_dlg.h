// The video card name dialog: the name can be typed or picked from the
// video cards the running system reports. For a stored record the window is
// read-only: the name then shows in a read-only field and only OK is left.
#pragma once

#include <string>

#include "framework/color_label.h"
#include "framework/dialog.h"

class CVideoNameDlg : public fw::Dialog {
  public:
    // name in the ANSI code page.
    CVideoNameDlg(std::string name, bool readOnly);

    // The name the user typed or picked once DoModal has answered IDOK;
    // otherwise the name as given.
    const std::string& VideoName() const { return m_strVideoName; }

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& dx) override;

  private:
    std::string m_strVideoName;
    bool m_bReadOnly;
    CColorLabel m_lblVideoName, m_lblNote;
};
