#include "bench/test_dlg.h"

#include "bench/velkoras.h"
#include "framework/text.h"
#include "res/resource.h"

namespace {
const UINT_PTR kStartTimer = 1;
// The settling wait before every round: the window and its controls are
// painted and the system is quiet when the first test starts.
const UINT kStartDelayMs = 3000;

}  // namespace

CTestDlg::CTestDlg(CVelkoras& worker)
    : fw::Dialog(IDD_TEST), m_pThread(&worker), settleMs_(kStartDelayMs) {
    m_hIcon.Reset(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_SMALL), IMAGE_ICON, 16, 16, 0)));
}

CTestDlg::~CTestDlg() {
    // The worker must not keep pointing at a window object that is gone.
    m_pThread->DetachTestWindow(this);
}

bool CTestDlg::RouteMessage(fw::Message& m) {
    static const fw::Route<CTestDlg> routes[] = {
        fw::OnMessage(WM_TIMER, &CTestDlg::OnTimer),
        fw::OnMessage(WM_BENCH_DONE, &CTestDlg::OnBenchDone),
        fw::OnMessage(WM_BENCH_ROUND, &CTestDlg::OnNextRound),
        fw::OnMessage(WM_MOUSEMOVE, &CTestDlg::OnMouseMove),
        fw::OnCommand(IDC_START_SEQUENCE, &CTestDlg::OnStartCommand),
    };
    return fw::Dispatch(this, routes, m);
}

BOOL CTestDlg::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    SetIcon(m_hIcon.Get());
    SetText(fw::LoadResourceString(IDS_CAPTION));
    // Combo boxes take no items from the template: the one item goes in here.
    FillTestCombo(Item(IDC_TEST_COMBO));
    EnableItem(IDOK, false);
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    FocusItem(IDC_TIMEBOX);
    SetTimer(hwnd_, kStartTimer, settleMs_, nullptr);
    return FALSE;  // the focus has been set
}

void CTestDlg::OnTimer(fw::Message& m) {
    m.handled = false;  // default processing as well
    if (m.wParam != kStartTimer)
        return;
    if (state_ == State::kBetweenRounds)
        StartNextRound();
    else
        StartSequence();
}

void CTestDlg::OnStartCommand(fw::Message&) {
    StartSequence();
}

void CTestDlg::StartSequence() {
    // One sequence per window: a second start (the timer after the hidden
    // start button, or the other way round) must not post a test twice.
    KillTimer(hwnd_, kStartTimer);
    if (state_ != State::kWaiting)
        return;
    state_ = State::kRunning;
    // STOP works from the start of the run, however it was started.
    EnableItem(IDOK, true);
    FocusItem(IDC_TIMEBOX);
    roundStart_.Capture(hwnd_);
    try {
        m_pThread->BeginTests(this, Item(IDC_TIMEBOX));
    } catch (...) {
        // The run cannot go on: the window closes, and the dialog's
        // boundary shows the message.
        state_ = State::kClosed;
        EndDialog(IDCANCEL);
        throw;
    }
}

void CTestDlg::OnBenchDone(fw::Message&) {
    state_ = State::kClosed;
    EndDialog(IDCANCEL);
}

void CTestDlg::OnNextRound(fw::Message&) {
    if (state_ != State::kRunning)
        return;
    state_ = State::kBetweenRounds;
    // The next round starts as the first one did: controls and pointer as
    // they were, the caption, every pixel painted, then the same wait.
    roundStart_.Restore(hwnd_);
    SetText(fw::LoadResourceString(IDS_CAPTION));
    FocusItem(IDC_TIMEBOX);
    RedrawWindow(hwnd_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
    SetTimer(hwnd_, kStartTimer, settleMs_, nullptr);
}

void CTestDlg::StartNextRound() {
    KillTimer(hwnd_, kStartTimer);
    state_ = State::kRunning;
    m_pThread->BeginRound();
}

void CTestDlg::OnOK() {
    EnableItem(IDOK, false);
    Stop();
}

void CTestDlg::OnCancel() {
    Stop();
}

void CTestDlg::Stop() {
    if (state_ == State::kBetweenRounds) {
        // No round begins after a STOP: the next one starts at once and ends
        // through its cleared tests.
        m_pThread->StopTests();
        StartNextRound();
        return;
    }
    if (state_ == State::kRunning) {
        m_pThread->StopTests();
        return;
    }
    if (state_ == State::kWaiting) {
        // Stopped before the first test: the run is cancelled. No test runs,
        // no flag stays set, the times stay as they were.
        KillTimer(hwnd_, kStartTimer);
        m_pThread->ClearRunFlags();
        state_ = State::kClosed;
        EndDialog(IDCANCEL);
    }
}

void CTestDlg::OnMouseMove(fw::Message&) {
    // Keep the pointer off the window while the tests draw.
    RECT r;
    GetWindowRect(hwnd_, &r);
    SetCursorPos(r.left - 5, r.top - 5);
}
