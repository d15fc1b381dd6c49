// The benchmark worker thread and its protocol with the test window.
//
// How a run works
// ---------------
// Two threads take part: the user-interface thread, which owns the main
// window, the test window (CTestDlg) and every control, and this worker,
// which has its own message queue and runs one test procedure per thread
// message.
//
//  1. The main window sets run flags and the loop count while no test window
//     is open, then runs CTestDlg modally.
//  2. The test window waits three seconds (timer 1), then hands itself and
//     its time box to the worker (BeginTests), which takes the control-id
//     table and the run flags and calls StartTest(0) on the user-interface
//     thread.
//  3. StartTest(i) decides once whether test i runs (see below). A skipped
//     test goes straight to FinishTest(i); a test that runs is named in the
//     window title and posted as WM_BENCH_TEST + i (wParam N, lParam the
//     control's HWND) to the worker.
//  4. The procedure runs on the worker. Every control call is a message sent
//     to the user-interface thread, which handles it inside the test
//     window's modal loop before the call returns; the two tick readings
//     around those calls are the measurement.
//  5. FinishTest(i) shows the time, stores it if test i ran, and starts
//     test i + 1 on the worker; after test 19, EndTests() sends
//     WM_BENCH_DONE to the test window, whose modal loop then ends. That
//     send returns only after the user-interface thread has handled it, so
//     the main window reads complete results once its modal call returns.
//
// Run flags and STOP
// ------------------
// Between runs the flags are the result's m_nRun, which the main window sets
// and clears. A STOP changes them while StartTest reads them, so BeginTests
// moves them into the worker's atomic run states and m_nRun reads 0 from
// then on. A state goes flagged -> running -> idle, or flagged -> idle:
//  - StartTest claims test i with one compare-exchange, flagged -> running;
//  - STOP or ESC (StopTests, on the user-interface thread) turns every state
//    still flagged to idle, each with a compare-exchange too.
// Whichever comes first wins, once per test: a claimed test runs to its end
// and keeps its time, a test the STOP cleared never starts, and a stopped
// run ends through the remaining tests as a complete one does. FinishTest
// stores a time only for a test in the running state.
//
// Rounds: with R > 1 the flagged tests run R times over in one sequence,
// all of them in order and then all again, so a slow minute of the machine
// spreads over every test. After test 19 of a round that is not the last,
// the worker sets the flagged tests' states to flagged again and sends
// WM_BENCH_ROUND to the test window, which makes the next round start from
// the state the first one started from: it puts back every control's
// contents, texts, positions and visibility as captured when the first
// round began, and the pointer where it was then (Show / Hide parks it
// beside the window), shows its caption, paints everything at once and
// waits the same three seconds (timer 1) before it calls BeginRound, which
// starts test 0 on the user-interface thread like the first round. Every
// round also runs on a worker thread that has timed nothing before, as the
// first round of the program's first run does: BeginRound and BeginTests
// replace a worker that has been given a round with a new thread (Restart,
// while the old one waits idle in its loop). Measured under Wine, a worker
// that had run Show / Hide made the next round's EditBox 15 to 60 % slower,
// though every control, the window and the heap were as before; a new
// thread for the same round was not. None of it is inside a timed loop, and
// the first single round of a session never sees it. A STOP
// during that wait starts the round at once, and its cleared tests end the
// run. A STOP sets the stopped mark before it clears any state, and the
// worker looks at the mark again once it has set the states: whichever of
// the two comes second clears them, so no round begins after a STOP. Each
// test keeps the median of the rounds it completed (FinishTest stores it
// after every round), its fastest and slowest, and how many.
//
// A failure: a procedure that throws (on the worker) ends the run at once:
// every state goes idle, so nothing more starts or stores a time, and
// WM_BENCH_DONE closes the test window before the worker's boundary shows
// the message. A failure in BeginTests (on the user-interface thread)
// closes the window from CTestDlg the same way.
//
// No locks are used: the run states are the only data both threads write,
// everything else is written by one thread at a time, and each hand-over is
// a message (a test posted to the worker, a control call or WM_BENCH_DONE
// sent back).
//
// The shared fields are private. The main window reaches them only through
// the methods for the time between runs, the test window through those for
// the run it shows; the procedures write the elapsed time and the result.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "bench/mark_result.h"
#include "framework/gdi.h"
#include "framework/ui_thread.h"

// Thread messages of the worker and the message that closes the test window.
constexpr UINT WM_BENCH_TEST = WM_USER;          // + test index, 0x400..0x413
constexpr UINT WM_BENCH_QUIT = WM_USER + 0x30;   // 0x430
constexpr UINT WM_BENCH_DONE = WM_USER + 0x10;   // 0x410, to the test window
constexpr UINT WM_BENCH_ROUND = WM_USER + 0x11;  // 0x411, to the test window

class CTestDlg;

class CVelkoras : public fw::UiThread {
  public:
    CVelkoras();
    explicit CVelkoras(HWND owner);
    ~CVelkoras() override;

    // --- The main window, while no test window is open ---

    // Flags test index to run in the next sequence.
    void SetRunFlag(int index);
    // No test runs: a run that cannot start, or one cancelled before its
    // first test.
    void ClearRunFlags();
    // The times on display and the reference column of their platform id;
    // the run flags stay as they are.
    void SetShownTimes(const CMarkResult& times, int platformId);
    // The loop count N of the next sequence, taken as given: callers clamp
    // what a user or a file gives (bench::ClampLoopCount).
    void SetLoopCount(int n);
    int LoopCount() const { return m_nLoop; }
    // The rounds R of the next sequence, 1 to 9 (bench::ClampRounds): the
    // flagged tests run R times over, all of them in order each round.
    void SetRounds(int rounds);
    int Rounds() const { return m_nRounds; }
    // The round under way, from 0 (for the title and the tests).
    int Round() const { return m_nRound; }
    // The result set: the times after a run, read once the test window's
    // modal run has returned. Its run flags are those of the next run; a run
    // takes them, so after one they all read 0.
    const CMarkResult& Result() const { return m_result; }
    // Milliseconds between the two tick readings of the last test run.
    DWORD Elapsed() const { return m_dwElapsed; }

    // --- The test window, on the user-interface thread ---

    // Hands the worker the test window, its control-id table (the
    // catalogue's) and its time box, and starts test 0.
    void BeginTests(CTestDlg* testWnd, HWND timeBox);
    // The window object is going away: the worker lets go of it.
    void DetachTestWindow(const CTestDlg* testWnd);
    void StopTests();

    // A round after the first, once the test window has put its controls
    // back and waited: starts test 0.
    void BeginRound();
    void StartTest(int index);
    void FinishTest(int index);
    void EndTests();

    void SetElapsed(DWORD start, DWORD end);
    double GetNormalizedTime() const;

    HWND Owner() const { return owner_; }

    // --- Tests only, set between runs; both are empty in the program ---

    // Called once StartTest has decided that test index runs and has named
    // it in the window title, before it posts it: on the worker, or for
    // test 0 on the user-interface thread. A STOP sent from here lands at
    // that test's start.
    void SetStartHook(std::function<void(int index)> hook) { m_startHook = std::move(hook); }
    // Called by StopTests before it clears any flag.
    void SetStopHook(std::function<void()> hook) { m_stopHook = std::move(hook); }

  protected:
    bool InitInstance() override { return true; }
    bool RouteThreadMessage(const MSG& msg) override;

  private:
    void Construct(HWND owner);
    HWND TestWindow() const;
    // Sets the flagged tests' states for the next round; false when the run
    // has no next round (the last is over, or a STOP came).
    bool StartNextRound();
    // Asks the test window to begin the next round (see above).
    void RequestNextRound();
    void ClearFlaggedStates();
    // Before a round: a worker thread that has been given a round already
    // is replaced by a new one (see the protocol above).
    void TakeUnusedWorker();
    // Ends a run whose test failed (see the protocol above).
    void AbandonRun();
    void StoreRoundTime(int index, float seconds);

    // The twenty procedures, in catalogue order, and the quit handler.
    void OnStandardText(WPARAM n, LPARAM control);
    void OnStandardText2(WPARAM n, LPARAM control);
    void OnEditBoxText(WPARAM n, LPARAM control);
    void OnButtonText(WPARAM n, LPARAM control);
    void OnGroupBoxText(WPARAM n, LPARAM control);
    void OnRadioButton(WPARAM n, LPARAM control);
    void OnCheckBox(WPARAM n, LPARAM control);
    void OnScrollBar(WPARAM n, LPARAM control);
    void OnProgressBar(WPARAM n, LPARAM control);
    void OnSmoothProgressBar(WPARAM n, LPARAM control);
    void OnSlider(WPARAM n, LPARAM control);
    void OnListBox(WPARAM n, LPARAM control);
    void OnTabControl(WPARAM n, LPARAM control);
    void OnComboBox(WPARAM n, LPARAM control);
    void OnTreeView(WPARAM n, LPARAM control);
    void OnTreeView2(WPARAM n, LPARAM control);
    void OnListView(WPARAM n, LPARAM control);
    void OnListView2(WPARAM n, LPARAM control);
    void OnShowHide(WPARAM n, LPARAM control);
    void OnEnableDisable(WPARAM n, LPARAM control);
    void OnEndThread(WPARAM, LPARAM);

    // Shared bodies of procedures that differ only in their control or icons.
    void RunTextTest(int index, WPARAM n, LPARAM control);
    void RunProgressTest(int index, WPARAM n, LPARAM control);
    void RunTreeTest(int index, WPARAM n, LPARAM control, bool icons);
    void RunListViewTest(int index, WPARAM n, LPARAM control, bool icons);
    void RunAllControlsTest(int index, WPARAM n, bool enableDisable);

    HWND owner_ = nullptr;
    CTestDlg* m_pTestWnd = nullptr;
    // The marks the icon tests give their tree and list.
    fw::ImageList m_imageList;
    int m_nCtrlId[bench::kTestCount] = {};
    // The run states of the sequence under way (see above); idle between runs.
    enum class RunState : int32_t { kIdle, kFlagged, kRunning };
    std::atomic<RunState> m_runState[bench::kTestCount] = {};
    // The tests flagged for the sequence under way, its rounds and the times
    // of each test's completed rounds.
    bool m_selected[bench::kTestCount] = {};
    int m_nRounds = 1;
    int m_nRound = 0;
    std::atomic<bool> m_stopped{false};
    // The worker thread has been given a round since it started.
    bool m_workerUsed = false;
    std::vector<float> m_roundTimes[bench::kTestCount];
    DWORD m_dwElapsed = 0;
    int m_nLoop = 0;
    CMarkResult m_result;
    HWND m_pTimeBox = nullptr;
    std::function<void(int index)> m_startHook;
    std::function<void()> m_stopHook;
};
