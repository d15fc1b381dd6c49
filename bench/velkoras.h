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
//     table and calls StartTest(0) on the user-interface thread.
//  3. StartTest(i) skips an unflagged test straight to FinishTest(i);
//     otherwise it names the test in the window title and posts
//     WM_BENCH_TEST + i (wParam N, lParam the control's HWND) to the worker.
//  4. The procedure runs on the worker. Every control call is a message sent
//     to the user-interface thread, which handles it inside the test
//     window's modal loop before the call returns; the two tick readings
//     around those calls are the measurement.
//  5. FinishTest(i) shows and stores the time and starts test i + 1 on the
//     worker; after test 19, EndTests() sends WM_BENCH_DONE to the test
//     window, whose modal loop then ends. That send returns only after the
//     user-interface thread has handled it, so the main window reads
//     complete results once its modal call returns.
//
// STOP or ESC only clears the run flags after the current test, so a stopped
// run ends the same way. No locks are used: the flags are cleared from both
// threads (idempotent), everything else is written by one thread at a time,
// and each hand-over is a synchronous message.
//
// The shared fields are private. The main window reaches them only through
// the methods for the time between runs, the test window through those for
// the run it shows; the procedures write the elapsed time and the result.
#pragma once

#include <windows.h>

#include "bench/mark_result.h"
#include "framework/gdi.h"
#include "framework/ui_thread.h"

// Thread messages of the worker and the message that closes the test window.
constexpr UINT WM_BENCH_TEST = WM_USER;         // + test index, 0x400..0x413
constexpr UINT WM_BENCH_QUIT = WM_USER + 0x30;  // 0x430
constexpr UINT WM_BENCH_DONE = WM_USER + 0x10;  // 0x410, to the test window

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
    // The result set: the times after a run, read once the test window's
    // modal run has returned.
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

    void StartTest(int index);
    void FinishTest(int index);
    void EndTests();

    void SetElapsed(DWORD start, DWORD end);
    double GetNormalizedTime() const;

    HWND Owner() const { return owner_; }

  protected:
    bool InitInstance() override { return true; }
    int ExitInstance() override;
    bool RouteThreadMessage(const MSG& msg) override;

  private:
    void Construct(HWND owner);
    HWND TestWindow() const;
    void ClearRunFlag(int index);

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
    volatile LONG m_nCurTest = 0;
    DWORD m_dwElapsed = 0;
    int m_nLoop = 0;
    CMarkResult m_result;
    HWND m_pTimeBox = nullptr;
};
