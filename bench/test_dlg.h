// The test window: every control the tests drive, and the pacing of a run
// (see the protocol in velkoras.h).
#pragma once

#include "bench/round_start.h"
#include "framework/dialog.h"
#include "framework/gdi.h"

class CVelkoras;

class CTestDlg : public fw::Dialog {
  public:
    // The worker runs the tests and must outlive the window.
    explicit CTestDlg(CVelkoras& worker);
    ~CTestDlg() override;

  protected:
    // The wait before each round, three seconds; tests shorten it.
    void SetSettleTime(UINT ms) { settleMs_ = ms; }

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool RouteMessage(fw::Message& m) override;

  private:
    enum class State { kWaiting, kRunning, kBetweenRounds, kClosed };

    void OnTimer(fw::Message& m);
    void OnStartCommand(fw::Message& m);
    void OnBenchDone(fw::Message& m);
    void OnNextRound(fw::Message& m);
    void OnMouseMove(fw::Message& m);
    void StartSequence();
    void StartNextRound();
    void Stop();

    CVelkoras* const m_pThread;
    fw::Icon m_hIcon;
    State state_ = State::kWaiting;
    UINT settleMs_;
    RoundStartState roundStart_;
};
