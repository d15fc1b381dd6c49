// Tests 18 and 19: hiding and showing, disabling and enabling every control
// of the control-id table. The control is looked up by id at every use,
// inside the timed work.
#include "bench/procedures.h"
#include "bench/velkoras.h"

void CVelkoras::RunAllControlsTest(int index, WPARAM n, bool enableDisable) {
    const unsigned cycles = static_cast<unsigned>(n) / 40;
    HWND testWnd = TestWindow();
    RECT r{};
    GetWindowRect(testWnd, &r);
    SetCursorPos(r.right + 5, r.bottom + 5);

    DWORD start = GetTickCount();
    if (enableDisable) {
        for (unsigned c = 0; c < cycles; ++c) {
            for (int e = 0; e < bench::kTestCount; ++e)
                EnableWindow(GetDlgItem(testWnd, m_nCtrlId[e]), FALSE);
            for (int e = 0; e < bench::kTestCount; ++e)
                EnableWindow(GetDlgItem(testWnd, m_nCtrlId[e]), TRUE);
        }
    } else {
        for (unsigned c = 0; c < cycles; ++c) {
            for (int e = 0; e < bench::kTestCount; ++e)
                ShowWindow(GetDlgItem(testWnd, m_nCtrlId[e]), SW_HIDE);
            for (int e = 0; e < bench::kTestCount; ++e)
                ShowWindow(GetDlgItem(testWnd, m_nCtrlId[e]), SW_SHOWNA);
        }
    }
    SetElapsed(start, GetTickCount());
    FinishTest(index);
}

void CVelkoras::OnShowHide(WPARAM n, LPARAM) {
    RunAllControlsTest(18, n, false);
}

void CVelkoras::OnEnableDisable(WPARAM n, LPARAM) {
    RunAllControlsTest(19, n, true);
}
