// The add-data dialog: names a new record before it is stored, or shows a
// stored record read-only to confirm its deletion.
#pragma once

#include "framework/color_label.h"
#include "framework/dialog.h"
#include "records/record_commands.h"

class CAddDataDlg : public fw::Dialog {
  public:
    enum Mode { kDeleteMode = 0, kAddMode = 1 };

    // form: ANSI texts, the memo with CR LF breaks.
    CAddDataDlg(Mode mode, const records::RecordForm& form, HWND parent = nullptr);

    // The texts as the user left them once DoModal has answered IDOK;
    // otherwise the form as given.
    const records::RecordForm& Form() const { return m_form; }

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& dx) override;

  private:
    records::RecordForm m_form;
    Mode m_nMode;
    CColorLabel m_lblMessage, m_lblName, m_lblUser, m_lblComputer, m_lblMemo, m_lblDate;
};
