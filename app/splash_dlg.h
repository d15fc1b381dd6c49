// The splash box: shows the product for one second, or until clicked.
#pragma once

#include "framework/dialog.h"

class CSplashDlg : public fw::Dialog {
  public:
    CSplashDlg();

  protected:
    BOOL OnInitDialog() override;
    bool RouteMessage(fw::Message& m) override;

  private:
    void OnTimer(fw::Message& m);
    void OnLButtonDown(fw::Message& m);
};
