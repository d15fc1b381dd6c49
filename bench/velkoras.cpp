#include "bench/velkoras.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "bench/rounds.h"
#include "bench/test_dlg.h"
#include "bench/timing.h"
#include "framework/image_list.h"
#include "framework/palette.h"
#include "res/resource.h"

CVelkoras::CVelkoras() {
    Construct(nullptr);
}

CVelkoras::CVelkoras(HWND owner) {
    Construct(owner);
}

void CVelkoras::Construct(HWND owner) {
    owner_ = owner;
    m_nLoop = bench::kDefaultLoop;
    m_dwElapsed = 0;
    m_pTimeBox = nullptr;
    m_pTestWnd = nullptr;
    m_result = CMarkResult();  // all times and flags 0, reference column A
    fw::LoadImageList(m_imageList, IDB_MARKS, palette::kBlack.ColorRef(),
                      palette::kWhite.ColorRef());
    // Start() returns once the thread's queue exists, so a message posted
    // right after construction is never lost.
    Start(THREAD_PRIORITY_NORMAL);
}

CVelkoras::~CVelkoras() {
    // Joined before the members the worker uses go (see fw::UiThread).
    Stop();
}

bool CVelkoras::RouteThreadMessage(const MSG& msg) {
    static const fw::ThreadRoute<CVelkoras> routes[] = {
        {WM_BENCH_TEST + 0, WM_BENCH_TEST + 0, &CVelkoras::OnStandardText},
        {WM_BENCH_TEST + 1, WM_BENCH_TEST + 1, &CVelkoras::OnStandardText2},
        {WM_BENCH_TEST + 2, WM_BENCH_TEST + 2, &CVelkoras::OnEditBoxText},
        {WM_BENCH_TEST + 3, WM_BENCH_TEST + 3, &CVelkoras::OnButtonText},
        {WM_BENCH_TEST + 4, WM_BENCH_TEST + 4, &CVelkoras::OnGroupBoxText},
        {WM_BENCH_TEST + 5, WM_BENCH_TEST + 5, &CVelkoras::OnRadioButton},
        {WM_BENCH_TEST + 6, WM_BENCH_TEST + 6, &CVelkoras::OnCheckBox},
        {WM_BENCH_TEST + 7, WM_BENCH_TEST + 7, &CVelkoras::OnScrollBar},
        {WM_BENCH_TEST + 8, WM_BENCH_TEST + 8, &CVelkoras::OnProgressBar},
        {WM_BENCH_TEST + 9, WM_BENCH_TEST + 9, &CVelkoras::OnSmoothProgressBar},
        {WM_BENCH_TEST + 10, WM_BENCH_TEST + 10, &CVelkoras::OnSlider},
        {WM_BENCH_TEST + 11, WM_BENCH_TEST + 11, &CVelkoras::OnListBox},
        {WM_BENCH_TEST + 12, WM_BENCH_TEST + 12, &CVelkoras::OnTabControl},
        {WM_BENCH_TEST + 13, WM_BENCH_TEST + 13, &CVelkoras::OnComboBox},
        {WM_BENCH_TEST + 14, WM_BENCH_TEST + 14, &CVelkoras::OnTreeView},
        {WM_BENCH_TEST + 15, WM_BENCH_TEST + 15, &CVelkoras::OnTreeView2},
        {WM_BENCH_TEST + 16, WM_BENCH_TEST + 16, &CVelkoras::OnListView},
        {WM_BENCH_TEST + 17, WM_BENCH_TEST + 17, &CVelkoras::OnListView2},
        {WM_BENCH_TEST + 18, WM_BENCH_TEST + 18, &CVelkoras::OnShowHide},
        {WM_BENCH_TEST + 19, WM_BENCH_TEST + 19, &CVelkoras::OnEnableDisable},
        {WM_BENCH_QUIT, WM_BENCH_QUIT, &CVelkoras::OnEndThread},
    };
    try {
        return fw::DispatchThread(this, routes, msg);
    } catch (...) {
        // A procedure that throws never reaches FinishTest: the run ends
        // here, the test window closes, and the thread's boundary shows the
        // message once the window is gone.
        AbandonRun();
        throw;
    }
}

void CVelkoras::AbandonRun() {
    m_stopped = true;
    // On the worker: the running state is this thread's, and a flagged one
    // may be cleared by either thread, so every state goes idle and no
    // later FinishTest stores a time.
    for (int i = 0; i < bench::kTestCount; ++i)
        m_runState[i] = RunState::kIdle;
    EndTests();
}

void CVelkoras::OnEndThread(WPARAM, LPARAM) {
    QuitLoop(0);
}

HWND CVelkoras::TestWindow() const {
    return m_pTestWnd != nullptr ? m_pTestWnd->Handle() : nullptr;
}

void CVelkoras::SetRunFlag(int index) {
    m_result.m_nRun[index] = 1;
}

void CVelkoras::ClearRunFlags() {
    for (int i = 0; i < bench::kTestCount; ++i) {
        m_result.m_nRun[i] = 0;
        m_runState[i] = RunState::kIdle;
    }
}

void CVelkoras::SetShownTimes(const CMarkResult& times, int platformId) {
    std::copy(std::begin(times.m_fTime), std::end(times.m_fTime), m_result.m_fTime);
    std::copy(std::begin(times.m_nRounds), std::end(times.m_nRounds), m_result.m_nRounds);
    std::copy(std::begin(times.m_fFastest), std::end(times.m_fFastest), m_result.m_fFastest);
    std::copy(std::begin(times.m_fSlowest), std::end(times.m_fSlowest), m_result.m_fSlowest);
    std::copy(&times.m_fRoundTime[0][0],
              &times.m_fRoundTime[0][0] + sizeof times.m_fRoundTime / sizeof(float),
              &m_result.m_fRoundTime[0][0]);
    m_result.SetReference(platformId);
}

void CVelkoras::BeginTests(CTestDlg* testWnd, HWND timeBox) {
    if (testWnd == nullptr)
        return;
    for (int i = 0; i < bench::kTestCount; ++i)
        m_nCtrlId[i] = bench::kCatalogue[i].controlId;
    // From here on a STOP may change the flags: they move to the run states.
    for (int i = 0; i < bench::kTestCount; ++i) {
        m_selected[i] = m_result.m_nRun[i] == 1;
        m_runState[i] = m_selected[i] ? RunState::kFlagged : RunState::kIdle;
        m_result.m_nRun[i] = 0;
        m_roundTimes[i].clear();
    }
    m_nRound = 0;
    m_stopped = false;
    m_pTimeBox = timeBox;
    m_pTestWnd = testWnd;
    TakeUnusedWorker();
    StartTest(0);
}

void CVelkoras::DetachTestWindow(const CTestDlg* testWnd) {
    if (m_pTestWnd == testWnd)
        m_pTestWnd = nullptr;
}

void CVelkoras::StartTest(int index) {
    HWND testWnd = TestWindow();
    HWND control = testWnd != nullptr ? GetDlgItem(testWnd, m_nCtrlId[index]) : nullptr;
    // The one decision whether the test runs, against a STOP that may come
    // at any moment: claimed, it runs and keeps its time; cleared first, it
    // never starts. A skipped test stores no time, also when its flag was set
    // but its control is missing (FinishTest clears that flag).
    RunState flagged = RunState::kFlagged;
    if (control == nullptr ||
        !m_runState[index].compare_exchange_strong(flagged, RunState::kRunning)) {
        FinishTest(index);
        return;
    }
    // With rounds the title also says which one runs: "Tab Control  2/5".
    char name[96];
    if (m_nRounds > 1)
        std::snprintf(name, sizeof name, "%s  %d/%d", bench::kCatalogue[index].name, m_nRound + 1,
                      m_nRounds);
    else
        std::snprintf(name, sizeof name, "%s", bench::kCatalogue[index].name);
    char title[128];
    std::snprintf(title, sizeof title, "Velkora - %s Testing...", name);
    SetWindowTextA(testWnd, title);
    if (m_startHook)
        m_startHook(index);
    // A test the worker cannot be given (its thread has ended or its queue
    // is full) is skipped like an unflagged one, so the run still ends.
    if (!Post(WM_BENCH_TEST + static_cast<UINT>(index), static_cast<WPARAM>(m_nLoop),
              reinterpret_cast<LPARAM>(control))) {
        m_runState[index] = RunState::kIdle;
        FinishTest(index);
    }
}

void CVelkoras::FinishTest(int index) {
    if (m_pTimeBox != nullptr) {
        char text[64];
        std::snprintf(text, sizeof text, "%.3f s", GetNormalizedTime());
        SetWindowTextA(m_pTimeBox, text);
    }
    // A running state is this thread's alone: a STOP clears only flagged ones.
    if (m_runState[index].exchange(RunState::kIdle) == RunState::kRunning)
        StoreRoundTime(index, static_cast<float>(GetNormalizedTime()));
    if (index + 1 < bench::kTestCount)
        StartTest(index + 1);
    else if (StartNextRound())
        RequestNextRound();
    else
        EndTests();
}

void CVelkoras::StoreRoundTime(int index, float seconds) {
    // The median of the rounds so far: a run stopped later keeps it. One
    // round's median is its time itself.
    m_roundTimes[index].push_back(seconds);
    const bench::RoundSummary summary = bench::SummariseRounds(m_roundTimes[index]);
    m_result.m_fTime[index] = summary.median;
    m_result.m_nRounds[index] = summary.rounds;
    m_result.m_fFastest[index] = summary.fastest;
    m_result.m_fSlowest[index] = summary.slowest;
    const size_t round = m_roundTimes[index].size() - 1;
    if (round < static_cast<size_t>(bench::kMaxRounds))
        m_result.m_fRoundTime[index][round] = seconds;
}

bool CVelkoras::StartNextRound() {
    if (m_nRound + 1 >= m_nRounds || m_stopped)
        return false;
    ++m_nRound;
    for (int i = 0; i < bench::kTestCount; ++i)
        if (m_selected[i])
            m_runState[i] = RunState::kFlagged;
    // A STOP whose clearing ran before the states were set has set its mark
    // by now (see the protocol above).
    if (m_stopped) {
        ClearFlaggedStates();
        return false;
    }
    return true;
}

void CVelkoras::RequestNextRound() {
    HWND testWnd = TestWindow();
    if (testWnd != nullptr)
        SendMessageW(testWnd, WM_BENCH_ROUND, 0, 0);
    else
        StartTest(0);  // no window: every test is skipped and the run ends
}

void CVelkoras::BeginRound() {
    TakeUnusedWorker();
    StartTest(0);
}

void CVelkoras::TakeUnusedWorker() {
    // A thread that fails to start leaves the posts failing, so every test
    // is skipped and the run still ends.
    if (m_workerUsed)
        Restart();
    m_workerUsed = true;
}

void CVelkoras::ClearFlaggedStates() {
    for (int i = 0; i < bench::kTestCount; ++i) {
        RunState flagged = RunState::kFlagged;
        m_runState[i].compare_exchange_strong(flagged, RunState::kIdle);
    }
}

void CVelkoras::EndTests() {
    HWND testWnd = TestWindow();
    if (testWnd != nullptr)
        SendMessageW(testWnd, WM_BENCH_DONE, 0, 0);
}

void CVelkoras::StopTests() {
    HWND testWnd = TestWindow();
    if (testWnd != nullptr) {
        char title[128];
        std::snprintf(title, sizeof title, "Velkora - %s Testing...", "Stoped");
        SetWindowTextA(testWnd, title);
    }
    m_stopped = true;
    if (m_stopHook)
        m_stopHook();
    // Tests already over are idle and the one running keeps running: only
    // flags not yet claimed are cleared.
    ClearFlaggedStates();
}

void CVelkoras::SetRounds(int rounds) {
    m_nRounds = rounds;
}

void CVelkoras::SetLoopCount(int n) {
    m_nLoop = n;
}

void CVelkoras::SetElapsed(DWORD start, DWORD end) {
    m_dwElapsed = bench::ElapsedTicks(start, end);
}

double CVelkoras::GetNormalizedTime() const {
    return bench::NormalizedTime(m_dwElapsed, m_nLoop);
}
