// The add-data dialog: names a new record before it is stored, or shows a
// stored record read-only to confirm its deletion. The caller fills the
// texts before the modal run and reads them after OK.
#pragma once

#include "framework/dialog.h"
#include "framework/color_label.h"
#include "records/record_commands.h"

class CAddDataDlg : public fw::Dialog {
  public:
    enum Mode { kDeleteMode = 0, kAddMode = 1 };

    explicit CAddDataDlg(HWND parent = nullptr);

    records::RecordForm m_form;  // ANSI texts; the memo with CR LF breaks
    int m_nMode = kAddMode;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& dx) override;

  private:
    CColorLabel m_lblMessage, m_lblName, m_lblUser, m_lblComputer, m_lblMemo, m_lblDate;
};
