// The test window: every control the tests drive, and the pacing of a run
// (see the protocol in velkoras.h).
#pragma once

#include "framework/dialog.h"
#include "framework/gdi.h"

class CVelkoras;

class CTestDlg : public fw::Dialog {
  public:
    CTestDlg();
    ~CTestDlg() override;

    CVelkoras* m_pThread = nullptr;  // set by the creator before the modal run
    fw::Icon m_hIcon;

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool RouteMessage(fw::Message& m) override;

  private:
    enum class State { kWaiting, kRunning, kClosed };

    void OnTimer(fw::Message& m);
    void OnStartCommand(fw::Message& m);
    void OnBenchDone(fw::Message& m);
    void OnMouseMove(fw::Message& m);
    void StartSequence();
    void Stop();

    State state_ = State::kWaiting;
};
