// The options dialog: the loop count, the rounds of a run and the graph
// maximum as texts the user types or picks, and whether to save them. The
// window opens with the current values; reading the texts it gives back as
// numbers and clamping them is the caller's (bench/option_values.h).
#pragma once

#include <string>

#include "framework/dialog.h"

class COptionsDlg : public fw::Dialog {
  public:
    struct Texts {
        std::wstring loop;
        std::wstring rounds;
        std::wstring graph;
    };

    explicit COptionsDlg(Texts current);

    // The texts as typed or picked once DoModal has answered IDOK;
    // otherwise the current values as given.
    const Texts& Result() const { return m_texts; }
    // Whether the user asked for the values to be saved.
    bool SaveChosen() const { return m_bSave != 0; }

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& dx) override;
    bool RouteMessage(fw::Message& m) override;

  private:
    void OnRestoreDefaults(fw::Message& m);

    Texts m_texts;
    int m_bSave = 0;
};
