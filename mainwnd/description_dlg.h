// The description box of one test: its description string as the text and
// its name as the caption. With no text id it keeps the caption
// "Description" and shows no text.
#pragma once

#include <string>

#include "framework/dialog.h"

class CDescriptionDlg : public fw::Dialog {
  public:
    // textId: a string resource, 0 for none; title: the test's name.
    CDescriptionDlg(UINT textId, std::wstring title);

  protected:
    BOOL OnInitDialog() override;

  private:
    UINT m_nTextId;
    std::wstring m_strTitle;
};
