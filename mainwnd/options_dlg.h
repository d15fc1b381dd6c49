// The options dialog: the loop count, the rounds of a run and the graph
// maximum as texts the user types or picks, and whether to save them. The caller puts the
// current values in before the modal run and reads the texts after OK;
// reading them as numbers and clamping is the caller's (bench/option_values.h).
#pragma once

#include <string>

#include "framework/dialog.h"

class COptionsDlg : public fw::Dialog {
  public:
    COptionsDlg();

    std::wstring m_strLoop;
    std::wstring m_strRounds;
    std::wstring m_strGraph;
    int m_bSave = 0;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& dx) override;
    bool RouteMessage(fw::Message& m) override;

  private:
    void OnRestoreDefaults(fw::Message& m);
};
