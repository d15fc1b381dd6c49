// The description box of one test: its description string as the text and
// its name as the caption. With no text id it keeps the caption
// "Description" and shows no text.
#pragma once

#include <string>

#include "framework/dialog.h"

class CDescriptionDlg : public fw::Dialog {
  public:
    CDescriptionDlg();

    UINT m_nTextId = 0;  // string resource; 0 for none
    std::wstring m_strTitle;

  protected:
    BOOL OnInitDialog() override;
};
