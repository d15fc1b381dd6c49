// The worker thread and the test window, in process: sequences with chosen
// flags and loop counts, stopping, titles, control end states, shutdown.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "bench/test_dlg.h"
#include "bench/velkoras.h"
#include "framework/handle.h"
#include "framework/image_list.h"
#include "res/resource.h"
#include "tools/driver/gui_objects.h"

namespace {

// Below the options' range (the worker takes any count it is given): the
// sequences and end states are the same at any loop count (every check is
// written in terms of it), and a complete run takes a fraction of the time
// it takes at 5000. 500 is the least at which every procedure still does
// each of its parts (the combo box drops down N / 500 times).
const int kLoop = 500;
// The wait between rounds in these tests: long enough to pass through the
// message loop, short enough not to slow them.
const UINT kQuickSettleMs = 20;

// A test window that starts its sequence at once through the hidden start
// button instead of waiting three seconds.
class QuickTestDlg : public CTestDlg {
  public:
    explicit QuickTestDlg(CVelkoras& worker) : CTestDlg(worker) { SetSettleTime(kQuickSettleMs); }

  protected:
    BOOL OnInitDialog() override {
        BOOL result = CTestDlg::OnInitDialog();
        PostMessageW(Handle(), WM_COMMAND, MAKEWPARAM(IDC_START_SEQUENCE, BN_CLICKED), 0);
        return result;
    }
};

// The test window's title, read without a message.
std::string TitleOf(HWND window) {
    wchar_t wide[256] = {};
    InternalGetWindowText(window, wide, 256);
    char title[256] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, title, sizeof title, nullptr, nullptr);
    return title;
}

// Sees each test start through the worker's start hook, which runs once the
// test is named in the title and before it is given to the worker: records
// the test and its title and, at the test chosen, presses a button of the
// test window then and there (a send: handled before the test runs).
class StartWatch {
  public:
    // stopAt is a test, in the round stopRound (from 0).
    StartWatch(CVelkoras& worker, CTestDlg& window, int stopAt = -1, int command = IDOK,
               int stopRound = 0)
        : worker_(worker) {
        worker_.SetStartHook([this, &window, stopAt, command, stopRound](int index) {
            // The test before this one has finished: its time is the last.
            if (!started.empty())
                roundTimes[started.back()].push_back(LastTime());
            started.push_back(index);
            rounds.push_back(worker_.Round());
            titles.push_back(TitleOf(window.Handle()));
            if (index == stopAt && worker_.Round() == stopRound) {
                SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
                titleAfterStop = TitleOf(window.Handle());
            }
        });
    }
    ~StartWatch() { worker_.SetStartHook(nullptr); }

    // Once the run is over: the last test's time joins the others.
    void RunEnded() {
        if (!started.empty())
            roundTimes[started.back()].push_back(LastTime());
    }
    float LastTime() const { return static_cast<float>(worker_.GetNormalizedTime()); }

    std::vector<int> started, rounds;  // each test started, and in which round
    std::vector<float> roundTimes[bench::kTestCount];
    std::vector<std::string> titles;
    std::string titleAfterStop;

  private:
    CVelkoras& worker_;
};

// Stored times far above anything a test measures, so a kept value is told
// apart from a new one.
CMarkResult StoredTimes() {
    CMarkResult times;
    for (int i = 0; i < bench::kTestCount; ++i)
        times.m_fTime[i] = 100000.0f + i;
    return times;
}

BOOL CALLBACK CountDialog(HWND window, LPARAM counter) {
    wchar_t cls[16] = {};
    GetClassNameW(window, cls, 16);
    if (std::wstring(cls) == L"#32770")
        ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

// A visible dialog that is not the test window: a message box.
BOOL CALLBACK FindMessageBox(HWND window, LPARAM found) {
    wchar_t cls[16] = {};
    GetClassNameW(window, cls, 16);
    if (std::wstring(cls) != L"#32770" || !IsWindowVisible(window) ||
        GetDlgItem(window, IDC_TIMEBOX) != nullptr)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The dialogs this thread still has, hidden or not.
int ThreadDialogCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountDialog, reinterpret_cast<LPARAM>(&count));
    return count;
}

void Quit(CVelkoras& worker) {
    worker.Post(WM_BENCH_QUIT);
    ASSERT_TRUE(worker.Wait(3000));
}

TEST(BenchSequenceTest, FlaggedTestsGetTimesAndUnflaggedKeepTheirs) {
    CVelkoras worker;
    worker.SetLoopCount(kLoop);
    worker.SetShownTimes(StoredTimes(), 1);
    worker.SetRunFlag(3);
    worker.SetRunFlag(12);
    {
        QuickTestDlg dlg(worker);
        StartWatch watch(worker, dlg);
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(watch.started, (std::vector<int>{3, 12}));
        EXPECT_EQ(watch.titles, (std::vector<std::string>{"Velkora - Button Text Testing...",
                                                          "Velkora - Tab Control Testing..."}));
    }
    for (int i = 0; i < bench::kTestCount; ++i) {
        EXPECT_EQ(worker.Result().m_nRun[i], 0) << "flag " << i << " cleared";
        if (i == 3 || i == 12) {
            EXPECT_GT(worker.Result().m_fTime[i], 0.0f) << "test " << i;
            EXPECT_LT(worker.Result().m_fTime[i], 100000.0f) << "test " << i;
        } else {
            EXPECT_EQ(worker.Result().m_fTime[i], 100000.0f + i) << "test " << i << " kept";
        }
    }
    Quit(worker);
}

// A worker that can no longer be given a test must not leave the window
// waiting for a completion that never comes.
TEST(BenchSequenceTest, AWorkerThatHasEndedSkipsEveryTestAndTheWindowCloses) {
    CVelkoras worker;
    Quit(worker);
    worker.SetShownTimes(StoredTimes(), 1);
    for (int i = 0; i < bench::kTestCount; ++i)
        worker.SetRunFlag(i);
    QuickTestDlg dlg(worker);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    for (int i = 0; i < bench::kTestCount; ++i) {
        EXPECT_EQ(worker.Result().m_nRun[i], 0) << "flag " << i;
        EXPECT_EQ(worker.Result().m_fTime[i], 100000.0f + i) << "no time for test " << i;
    }
}

TEST(BenchSequenceTest, StopDuringATestLetsItFinishAndSkipsTheRest) {
    // Stored times far above anything a test measures, so a kept value is
    // told apart from a new one.
    CVelkoras worker;
    worker.SetLoopCount(kLoop);
    worker.SetShownTimes(StoredTimes(), 1);
    for (int i = 3; i < bench::kTestCount; ++i)
        worker.SetRunFlag(i);
    {
        QuickTestDlg dlg(worker);
        StartWatch watch(worker, dlg, 4);  // STOP as GroupBox Text starts
        dlg.DoModal();
        EXPECT_EQ(watch.started, (std::vector<int>{3, 4}));
        EXPECT_EQ(watch.titleAfterStop, "Velkora - Stoped Testing...");
    }
    EXPECT_LT(worker.Result().m_fTime[3], 100000.0f);
    EXPECT_LT(worker.Result().m_fTime[4], 100000.0f) << "the running test still stores its time";
    for (int i = 5; i < bench::kTestCount; ++i) {
        EXPECT_EQ(worker.Result().m_fTime[i], 100000.0f + i) << "test " << i << " skipped";
        EXPECT_EQ(worker.Result().m_nRun[i], 0);
    }
    Quit(worker);
}

// Three rounds: the flagged tests run in order three times over, each keeps
// the median of its rounds with the fastest and slowest, and the title
// names the round. A STOP in the second round ends the run after the test
// under way: what the tests completed is kept, medians of two included.
TEST(BenchSequenceTest, RoundsRunInterleavedAndKeepTheMedianOfWhatCompleted) {
    const std::vector<int> flagged = {0, 12, 16};
    struct Case {
        const char* what;
        int stopAt;  // test stopped at in round 2, or -1
        std::vector<int> order;
        std::vector<int> completed;  // rounds each flagged test completed
    } cases[] = {
        {"three rounds", -1, {0, 12, 16, 0, 12, 16, 0, 12, 16}, {3, 3, 3}},
        {"STOP as round 2 reaches Tab Control", 12, {0, 12, 16, 0, 12}, {2, 2, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CVelkoras worker;
        worker.SetLoopCount(kLoop);
        worker.SetRounds(3);
        worker.SetShownTimes(StoredTimes(), 1);
        for (int i : flagged)
            worker.SetRunFlag(i);
        QuickTestDlg dlg(worker);
        StartWatch watch(worker, dlg, c.stopAt, IDOK, 1);
        dlg.DoModal();
        watch.RunEnded();
        EXPECT_EQ(watch.started, c.order);
        EXPECT_EQ(watch.titles[1], "Velkora - Tab Control  1/3 Testing...");
        EXPECT_EQ(watch.titles[4], "Velkora - Tab Control  2/3 Testing...");
        const CMarkResult& result = worker.Result();
        for (size_t k = 0; k < flagged.size(); ++k) {
            const int i = flagged[k];
            std::vector<float> times = watch.roundTimes[i];
            ASSERT_EQ(times.size(), static_cast<size_t>(c.completed[k])) << "test " << i;
            std::sort(times.begin(), times.end());
            const size_t n = times.size();
            const float median =
                n % 2 ? times[n / 2] : static_cast<float>((double{times[0]} + times[1]) / 2);
            EXPECT_EQ(result.m_fTime[i], median) << "test " << i;
            EXPECT_EQ(result.m_nRounds[i], c.completed[k]) << "test " << i;
            EXPECT_EQ(result.m_fFastest[i], times.front()) << "test " << i;
            EXPECT_EQ(result.m_fSlowest[i], times.back()) << "test " << i;
        }
        EXPECT_EQ(result.m_fTime[1], 100001.0f) << "an unflagged test keeps its time";
        Quit(worker);
    }
}

// Handles only what other threads send this one (the worker's control calls),
// no posted command, until event is set; false if it is not set in time.
bool HandleSentMessagesUntil(HANDLE event, DWORD timeoutMs) {
    MSG msg;
    while (MsgWaitForMultipleObjects(1, &event, FALSE, timeoutMs, QS_SENDMESSAGE) ==
           WAIT_OBJECT_0 + 1)
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    return WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
}

// Sets an event once a STOP has been handled in full.
struct StopSignalDlg : QuickTestDlg {
    using QuickTestDlg::QuickTestDlg;
    HANDLE stopped = nullptr;

  protected:
    void OnOK() override {
        CTestDlg::OnOK();
        SetEvent(stopped);
    }
};

// A STOP under way while the worker decides whether the next test runs: STOP
// is pressed as test k - 1 starts and, before it clears any flag, holds
// until the worker has decided to run test k; the worker goes on once the
// STOP is over. Test k has then started and keeps its time; no later test
// starts. Every k from 2 to 19 takes its turn, several times over.
TEST(BenchSequenceTest, StopOverlappingTheDecisionToRunATestLosesNoTime) {
    const int kRounds = 5;
    const DWORD kWaitMs = 10000;
    CVelkoras worker;
    worker.SetLoopCount(1);  // what the procedures do does not matter here
    for (int round = 0; round < kRounds; ++round) {
        for (int k = 2; k < bench::kTestCount; ++k) {
            SCOPED_TRACE("round " + std::to_string(round) + ", STOP overlapping test " +
                         std::to_string(k));
            worker.SetShownTimes(StoredTimes(), 1);
            for (int i = 0; i < bench::kTestCount; ++i)
                worker.SetRunFlag(i);
            fw::KernelHandle stopBegun(CreateEventW(nullptr, TRUE, FALSE, nullptr));
            fw::KernelHandle decided(CreateEventW(nullptr, TRUE, FALSE, nullptr));
            fw::KernelHandle stopped(CreateEventW(nullptr, TRUE, FALSE, nullptr));
            std::vector<int> started;
            bool stopHeld = false, decisionSeen = false, stopOver = false;
            StopSignalDlg dlg(worker);
            dlg.stopped = stopped.Get();
            worker.SetStartHook([&](int index) {
                started.push_back(index);
                if (index == k - 1) {
                    PostMessageW(dlg.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                    stopHeld = WaitForSingleObject(stopBegun.Get(), kWaitMs) == WAIT_OBJECT_0;
                } else if (index == k) {
                    SetEvent(decided.Get());
                    stopOver = WaitForSingleObject(stopped.Get(), kWaitMs) == WAIT_OBJECT_0;
                }
            });
            worker.SetStopHook([&] {
                SetEvent(stopBegun.Get());
                decisionSeen = HandleSentMessagesUntil(decided.Get(), kWaitMs);
            });
            dlg.DoModal();
            ASSERT_TRUE(stopHeld && decisionSeen && stopOver)
                << "the STOP did not overlap the decision";
            EXPECT_EQ(started.size(), k + 1u) << "tests 0 to k started, no later one";
            for (int i = 0; i < bench::kTestCount; ++i) {
                EXPECT_EQ(worker.Result().m_nRun[i], 0) << "flag " << i;
                if (i <= k)
                    EXPECT_NE(worker.Result().m_fTime[i], 100000.0f + i) << "test " << i << " ran";
                else
                    EXPECT_EQ(worker.Result().m_fTime[i], 100000.0f + i) << "test " << i;
            }
        }
    }
    worker.SetStartHook(nullptr);
    worker.SetStopHook(nullptr);
    Quit(worker);
}

// Esc during a test stops like STOP, but leaves the STOP button enabled.
class EscProbeDlg : public QuickTestDlg {
    using QuickTestDlg::QuickTestDlg;

  public:
    bool stopEnabledAtEnd = false;

  protected:
    void OnCancel() override {
        CTestDlg::OnCancel();
        stopEnabledAtEnd = IsWindowEnabled(Item(IDOK)) != FALSE;
    }
};

TEST(BenchSequenceTest, EscapeStopsLikeStopButKeepsTheButtonEnabled) {
    CVelkoras worker;
    worker.SetLoopCount(kLoop);
    worker.SetShownTimes(StoredTimes(), 1);
    worker.SetRunFlag(12);
    worker.SetRunFlag(16);
    EscProbeDlg dlg(worker);
    {
        StartWatch watch(worker, dlg, 12, IDCANCEL);  // Esc as Tab Control starts
        dlg.DoModal();
        EXPECT_EQ(watch.started, std::vector<int>{12});
    }
    EXPECT_LT(worker.Result().m_fTime[12], 100000.0f);
    EXPECT_EQ(worker.Result().m_fTime[16], 100016.0f);
    EXPECT_TRUE(dlg.stopEnabledAtEnd);
    Quit(worker);
}

// A test that throws ends the run: the test window closes (it has no close
// box and stays on top, so nothing else could end it), then the failure is
// shown, and the worker still answers. On the worker (a later test) and on
// the user-interface thread (the first test, started from the window).
TEST(BenchSequenceTest, ATestThatThrowsEndsTheRunAndClosesTheWindow) {
    for (int failing : {3, 0}) {
        CVelkoras worker;
        worker.SetLoopCount(kLoop);
        worker.SetShownTimes(StoredTimes(), 1);
        for (int i = 0; i < bench::kTestCount; ++i)
            worker.SetRunFlag(i);
        worker.SetStartHook([failing](int index) {
            if (index == failing)
                throw std::runtime_error("the test failed");
        });
        // The failure's message box: on the worker's thread or this one.
        std::atomic<bool> shown{false}, done{false};
        const DWORD threads[] = {worker.ThreadId(), GetCurrentThreadId()};
        std::thread closer([&] {
            while (!done) {
                for (DWORD thread : threads) {
                    HWND box = nullptr;
                    EnumThreadWindows(thread, FindMessageBox, reinterpret_cast<LPARAM>(&box));
                    if (box != nullptr) {
                        shown = true;
                        PostMessageW(box, WM_COMMAND, IDOK, 0);
                    }
                }
                Sleep(20);
            }
        });
        QuickTestDlg dlg(worker);
        EXPECT_EQ(dlg.DoModal(), IDCANCEL) << "test " << failing;
        for (int i = 0; i < 200 && !shown; ++i)
            Sleep(20);
        done = true;
        closer.join();
        EXPECT_TRUE(shown) << "the failure is shown, test " << failing;
        EXPECT_EQ(ThreadDialogCount(), 0) << "the test window is gone";
        for (int i = failing; i < bench::kTestCount; ++i)
            EXPECT_EQ(worker.Result().m_fTime[i], 100000.0f + i) << "test " << i << " kept";
        worker.SetStartHook(nullptr);
        Quit(worker);
    }
}

// Stopping in the three seconds before the first test cancels the run.
TEST(BenchSequenceTest, StopBeforeTheFirstTestCancelsTheRun) {
    CVelkoras worker;
    worker.SetShownTimes(StoredTimes(), 1);
    for (int i = 0; i < bench::kTestCount; ++i)
        worker.SetRunFlag(i);
    // Esc as soon as the window is up, long before its three seconds.
    struct EscAtOnceDlg : CTestDlg {
        using CTestDlg::CTestDlg;
        BOOL OnInitDialog() override {
            BOOL result = CTestDlg::OnInitDialog();
            PostMessageW(Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return result;
        }
    } dlg(worker);
    StartWatch watch(worker, dlg);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(watch.started.empty()) << "no test started";
    for (int i = 0; i < bench::kTestCount; ++i) {
        EXPECT_EQ(worker.Result().m_fTime[i], 100000.0f + i);
        EXPECT_EQ(worker.Result().m_nRun[i], 0);
    }
    Quit(worker);
}

// With nothing flagged the window closes when its three-second timer starts
// the sequence: at the timer, not before, and within that timer's handling
// (no second wait), however busy the machine is.
TEST(BenchSequenceTest, NothingFlaggedClosesAboutThreeSecondsAfterOpening) {
    struct TimedDlg : CTestDlg {
        using CTestDlg::CTestDlg;
        DWORD opened = 0, closed = 0;
        int timers = 0;  // timer messages being handled, nested calls included
        bool closedInTimer = false;
        BOOL OnInitDialog() override {
            opened = GetTickCount();
            return CTestDlg::OnInitDialog();
        }
        bool RouteMessage(fw::Message& m) override {
            if (m.msg == WM_BENCH_DONE) {
                closed = GetTickCount();
                closedInTimer = timers > 0;
            }
            const int timer = m.msg == WM_TIMER ? 1 : 0;
            timers += timer;
            const bool handled = CTestDlg::RouteMessage(m);
            timers -= timer;
            return handled;
        }
    };
    CVelkoras worker;
    TimedDlg dlg(worker);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_GE(dlg.closed - dlg.opened, 2900u) << "not before the three seconds";
    EXPECT_TRUE(dlg.closedInTimer) << "the timer's own handling ends the run";
    Quit(worker);
}

TEST(BenchSequenceTest, MovingTheMouseOverTheWindowParksTheCursorOutside) {
    CVelkoras worker;
    struct ParkDlg : CTestDlg {
        using CTestDlg::CTestDlg;
        POINT cursor{};
        RECT rect{};
        BOOL OnInitDialog() override {
            CTestDlg::OnInitDialog();
            KillTimer(Handle(), 1);
            // Away from the screen's corner, where the cursor could not go.
            SetWindowPos(Handle(), nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            SendMessageW(Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));
            GetCursorPos(&cursor);
            GetWindowRect(Handle(), &rect);
            EndDialog(IDCANCEL);
            return TRUE;
        }
    } dlg(worker);
    dlg.DoModal();
    EXPECT_EQ(dlg.cursor.x, dlg.rect.left - 5);
    EXPECT_EQ(dlg.cursor.y, dlg.rect.top - 5);
    Quit(worker);
}

TEST(BenchSequenceTest, WorkerEndsWithinTheWaitAndTheMarkImagesAreTwo) {
    auto* worker = new CVelkoras(nullptr);
    // Posted at once after construction: the queue must already exist.
    EXPECT_TRUE(worker->Post(WM_BENCH_QUIT));
    EXPECT_TRUE(worker->Wait(3000)) << "the window's shutdown waits that long";
    EXPECT_FALSE(worker->IsRunning());
    delete worker;

    // The marks the icon tests, the result list and the feature list show.
    fw::ImageList marks;
    fw::LoadImageList(marks, IDB_MARKS, RGB(0, 0, 0), RGB(255, 255, 255));
    ASSERT_TRUE(marks);
    EXPECT_EQ(ImageList_GetImageCount(marks.Get()), 2);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(marks.Get(), &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
}

// What the test window's controls show, read from outside the procedures.
struct ControlState {
    std::wstring staticText, editText, buttonText, groupText, radio1, radio2, checkText;
    UINT radio1Check = 0, radio2Check = 0, checkState = 0;
    SCROLLINFO scroll{};
    LRESULT listCount = 0, listSel = 0, tabCount = 0, comboCount = 0, comboSel = 0;
    BOOL comboDropped = TRUE;
    LRESULT treeCount = 0, listViewCount = 0, listViewColumns = 0;
    LRESULT progressPos[2] = {}, progressMax[2] = {}, sliderPos = 0, sliderMax = 0;
    HIMAGELIST treeImages = nullptr, listViewImages = nullptr;
    bool allVisibleAndEnabled = true;
    POINT pointer{};

    void Read(HWND w) {
        auto text = [w](int id) { return fw::Window(w).ItemText(id); };
        staticText = text(IDC_TEST_STATIC);
        editText = text(IDC_TEST_EDIT);
        buttonText = text(IDC_TEST_BUTTON);
        groupText = text(IDC_TEST_GROUPBOX);
        radio1 = text(IDC_TEST_RADIO1);
        radio2 = text(IDC_TEST_RADIO2);
        checkText = text(IDC_TEST_CHECKBOX);
        radio1Check = IsDlgButtonChecked(w, IDC_TEST_RADIO1);
        radio2Check = IsDlgButtonChecked(w, IDC_TEST_RADIO2);
        checkState = IsDlgButtonChecked(w, IDC_TEST_CHECKBOX);
        scroll.cbSize = sizeof scroll;
        scroll.fMask = SIF_ALL;
        GetScrollInfo(GetDlgItem(w, IDC_TEST_SCROLLBAR), SB_CTL, &scroll);
        listCount = SendDlgItemMessageW(w, IDC_TEST_LISTBOX, LB_GETCOUNT, 0, 0);
        listSel = SendDlgItemMessageW(w, IDC_TEST_LISTBOX, LB_GETCURSEL, 0, 0);
        tabCount = SendDlgItemMessageW(w, IDC_TEST_TAB, TCM_GETITEMCOUNT, 0, 0);
        comboCount = SendDlgItemMessageW(w, IDC_TEST_COMBO, CB_GETCOUNT, 0, 0);
        comboSel = SendDlgItemMessageW(w, IDC_TEST_COMBO, CB_GETCURSEL, 0, 0);
        comboDropped =
            static_cast<BOOL>(SendDlgItemMessageW(w, IDC_TEST_COMBO, CB_GETDROPPEDSTATE, 0, 0));
        treeCount = SendDlgItemMessageW(w, IDC_TEST_TREE, TVM_GETCOUNT, 0, 0);
        treeImages = reinterpret_cast<HIMAGELIST>(
            SendDlgItemMessageW(w, IDC_TEST_TREE, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
        listViewCount = SendDlgItemMessageW(w, IDC_TEST_LISTVIEW, LVM_GETITEMCOUNT, 0, 0);
        listViewColumns = SendMessageW(
            reinterpret_cast<HWND>(SendDlgItemMessageW(w, IDC_TEST_LISTVIEW, LVM_GETHEADER, 0, 0)),
            HDM_GETITEMCOUNT, 0, 0);
        listViewImages = reinterpret_cast<HIMAGELIST>(
            SendDlgItemMessageW(w, IDC_TEST_LISTVIEW, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
        const int bars[2] = {IDC_TEST_PROGRESS, IDC_TEST_SMOOTH_PROGRESS};
        for (int b = 0; b < 2; ++b) {
            progressPos[b] = SendDlgItemMessageW(w, bars[b], PBM_GETPOS, 0, 0);
            progressMax[b] = SendDlgItemMessageW(w, bars[b], PBM_GETRANGE, FALSE, 0);
        }
        sliderPos = SendDlgItemMessageW(w, IDC_TEST_SLIDER, TBM_GETPOS, 0, 0);
        sliderMax = SendDlgItemMessageW(w, IDC_TEST_SLIDER, TBM_GETRANGEMAX, 0, 0);
        for (int i = 0; i < bench::kTestCount; ++i) {
            HWND c = GetDlgItem(w, bench::kCatalogue[i].controlId);
            if (!IsWindowVisible(c) || !IsWindowEnabled(c))
                allVisibleAndEnabled = false;
        }
        GetCursorPos(&pointer);
    }

    // Every field as one line, so two states compare in one assertion.
    std::wstring Describe() const {
        std::wstring d = staticText + L"|" + editText + L"|" + buttonText + L"|" + groupText +
                         L"|" + radio1 + L"|" + radio2 + L"|" + checkText;
        for (long long v : {static_cast<long long>(radio1Check),
                            static_cast<long long>(radio2Check),
                            static_cast<long long>(checkState),
                            static_cast<long long>(scroll.nMin),
                            static_cast<long long>(scroll.nMax),
                            static_cast<long long>(scroll.nPage),
                            static_cast<long long>(scroll.nPos),
                            static_cast<long long>(listCount),
                            static_cast<long long>(tabCount),
                            static_cast<long long>(comboCount),
                            static_cast<long long>(comboSel),
                            static_cast<long long>(treeCount),
                            static_cast<long long>(listViewCount),
                            static_cast<long long>(listViewColumns),
                            static_cast<long long>(progressPos[0]),
                            static_cast<long long>(progressMax[0]),
                            static_cast<long long>(progressPos[1]),
                            static_cast<long long>(progressMax[1]),
                            static_cast<long long>(sliderPos),
                            static_cast<long long>(sliderMax),
                            static_cast<long long>(allVisibleAndEnabled),
                            static_cast<long long>(pointer.x),
                            static_cast<long long>(pointer.y)})
            d += L"|" + std::to_wstring(v);
        return d;
    }
};

// One complete sequence: every test yields a time and leaves its control in
// the documented state.
struct EndStateDlg : QuickTestDlg {
    using QuickTestDlg::QuickTestDlg;
    ControlState end;

  protected:
    bool RouteMessage(fw::Message& m) override {
        if (m.msg == WM_BENCH_DONE)
            end.Read(Handle());
        return CTestDlg::RouteMessage(m);
    }
};

TEST(BenchSequenceTest, CompleteRunTimesEveryTestAndLeavesTheControlsAsDocumented) {
    CVelkoras worker;
    worker.SetLoopCount(kLoop);
    for (int i = 0; i < bench::kTestCount; ++i)
        worker.SetRunFlag(i);
    EndStateDlg dlg(worker);
    dlg.DoModal();

    for (int i = 0; i < bench::kTestCount; ++i) {
        EXPECT_GT(worker.Result().m_fTime[i], 0.0f) << "test " << i;
        EXPECT_EQ(worker.Result().m_nRun[i], 0) << "test " << i;
    }
    const std::wstring last = std::to_wstring(kLoop - 1);
    const ControlState& end = dlg.end;
    EXPECT_EQ(end.staticText, last);
    EXPECT_EQ(end.editText, last);
    EXPECT_EQ(end.buttonText, last);
    EXPECT_EQ(end.groupText, last);
    EXPECT_EQ(end.radio1, std::to_wstring(kLoop / 2 - 1));
    EXPECT_EQ(end.radio2, std::to_wstring(kLoop / 2 - 1));
    EXPECT_EQ(end.checkText, last);
    EXPECT_EQ(end.radio1Check, 0u);
    EXPECT_EQ(end.radio2Check, 1u) << "the second radio button is checked";
    EXPECT_EQ(end.checkState, static_cast<UINT>((kLoop - 1) & 1));
    EXPECT_EQ(end.scroll.nPage, 11u) << "the page size ends at 11";
    EXPECT_EQ(end.listCount, kLoop);
    EXPECT_EQ(end.listSel, kLoop - 1);
    EXPECT_EQ(end.tabCount, 5);
    EXPECT_EQ(end.comboCount, kLoop / 2);
    EXPECT_EQ(end.comboSel, kLoop / 2 - 1);
    EXPECT_FALSE(end.comboDropped);
    EXPECT_EQ(end.treeCount, 0);
    EXPECT_EQ(end.treeImages, nullptr) << "test 15 gives the old image list back";
    EXPECT_EQ(end.listViewCount, 0);
    EXPECT_EQ(end.listViewImages, nullptr) << "test 17 gives the old image list back";
    EXPECT_TRUE(end.allVisibleAndEnabled);
    Quit(worker);
}

// Each round starts from the state the first started from: whatever the
// tests of a round leave in the controls (full lists, tabs, bars, texts,
// the pointer parked by Show / Hide) is put back before the next one, and
// the round runs on a worker thread started after the last round began.
TEST(BenchSequenceTest, EveryRoundStartsFromTheStateOfTheFirst) {
    CVelkoras worker;
    worker.SetLoopCount(kLoop);
    worker.SetRounds(2);
    for (int i = 0; i < bench::kTestCount; ++i)
        worker.SetRunFlag(i);
    QuickTestDlg dlg(worker);
    std::vector<std::wstring> atStart;
    std::vector<uint64_t> workerStarted;
    // Test 0 starts on the user-interface thread in every round.
    worker.SetStartHook([&](int index) {
        if (index != 0)
            return;
        ControlState state;
        state.Read(dlg.Handle());
        atStart.push_back(state.Describe());
        FILETIME created, exited, kernel, user;
        ASSERT_TRUE(GetThreadTimes(worker.Handle(), &created, &exited, &kernel, &user));
        workerStarted.push_back(uint64_t{created.dwHighDateTime} << 32 | created.dwLowDateTime);
    });
    dlg.DoModal();
    worker.SetStartHook(nullptr);
    ASSERT_EQ(atStart.size(), 2u);
    EXPECT_EQ(atStart[1], atStart[0]);
    EXPECT_GT(workerStarted[1], workerStarted[0]) << "round 2 ran on the thread of round 1";
    for (int i = 0; i < bench::kTestCount; ++i)
        EXPECT_EQ(worker.Result().m_nRounds[i], 2) << "test " << i;
    Quit(worker);
}

// A complete sequence leaves nothing behind: after the first run (which may
// create what the system caches on first use), every later run ends with
// the same GDI and USER objects as the one before it.
TEST(BenchSequenceTest, RepeatedRunsLeaveNoObjectsBehind) {
    const int kRuns = 3;
    const int kReducedLoop = 200;  // only the object counts matter here
    CVelkoras worker;
    std::vector<e2e::GuiObjectCounts> after;
    for (int run = 0; run < kRuns; ++run) {
        worker.SetLoopCount(kReducedLoop);
        for (int i = 0; i < bench::kTestCount; ++i)
            worker.SetRunFlag(i);
        {
            QuickTestDlg dlg(worker);
            dlg.DoModal();
        }
        for (int i = 0; i < bench::kTestCount; ++i)
            ASSERT_EQ(worker.Result().m_nRun[i], 0) << "run " << run + 1 << " ran test " << i;
        after.push_back(e2e::CountGuiObjects(GetCurrentProcess(), GetCurrentProcessId()));
        // The worker's image list at least; no window is left open.
        ASSERT_GT(after.back().gdi, 0) << after.back().source;
        ASSERT_EQ(ThreadDialogCount(), 0) << "run " << run + 1;
    }
    std::string counts;  // GDI/USER after each run
    for (const e2e::GuiObjectCounts& c : after)
        counts += " " + std::to_string(c.gdi) + "/" + std::to_string(c.user);
    for (int run = 2; run < kRuns; ++run) {
        EXPECT_LE(after[run].gdi, after[1].gdi) << "GDI/USER after each run:" << counts;
        EXPECT_LE(after[run].user, after[1].user) << "GDI/USER after each run:" << counts;
    }
    Quit(worker);
}

}  // namespace
