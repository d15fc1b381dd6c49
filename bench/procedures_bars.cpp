// Tests 7-10: scroll bar, the two progress bars and the slider.
#include "bench/procedures.h"

#include <commctrl.h>

#include "bench/velkoras.h"

using bench::ControlOf;

void CVelkoras::OnScrollBar(WPARAM n, LPARAM control) {
    const unsigned loop = static_cast<unsigned>(n);
    HWND hwnd = ControlOf(control);
    SetScrollRange(hwnd, SB_CTL, 0, static_cast<int>(loop), TRUE);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(hwnd, SB_CTL, &info);
    info.fMask = SIF_PAGE;

    DWORD start = GetTickCount();
    for (unsigned i = 0; i < loop; ++i)
        SetScrollPos(hwnd, SB_CTL, static_cast<int>(i), TRUE);
    for (unsigned i = 0; i < loop; ++i) {
        info.nPage = i;
        SetScrollInfo(hwnd, SB_CTL, &info, TRUE);
    }
    // Back down from N; the page size ends at 11, not 10.
    for (unsigned p = loop; p > 10; --p) {
        info.nPage = p;
        SetScrollInfo(hwnd, SB_CTL, &info, TRUE);
    }
    SetElapsed(start, GetTickCount());
    FinishTest(7);
}

void CVelkoras::RunProgressTest(int index, WPARAM n, LPARAM control) {
    const unsigned loop = static_cast<unsigned>(n);
    const unsigned half = loop >> 1;
    HWND hwnd = ControlOf(control);
    SendMessageW(hwnd, PBM_SETRANGE, 0, MAKELPARAM(0, half));
    SendMessageW(hwnd, PBM_SETSTEP, 1, 0);

    DWORD start = GetTickCount();
    for (unsigned i = 0; i < half; ++i)
        SendMessageW(hwnd, PBM_STEPIT, 0, 0);
    for (unsigned r = half; r < loop; ++r)
        SendMessageW(hwnd, PBM_SETRANGE, 0, MAKELPARAM(0, r));
    SetElapsed(start, GetTickCount());
    FinishTest(index);
}

void CVelkoras::OnProgressBar(WPARAM n, LPARAM control) {
    RunProgressTest(8, n, control);
}

void CVelkoras::OnSmoothProgressBar(WPARAM n, LPARAM control) {
    RunProgressTest(9, n, control);
}

namespace {
// A slider range as a framework range call makes it: the minimum without
// redraw, then the maximum with the redraw flag.
inline void SetSliderRange(HWND hwnd, unsigned maximum) {
    SendMessageW(hwnd, TBM_SETRANGEMIN, FALSE, 0);
    SendMessageW(hwnd, TBM_SETRANGEMAX, TRUE, static_cast<LPARAM>(maximum));
}
}  // namespace

void CVelkoras::OnSlider(WPARAM n, LPARAM control) {
    const unsigned loop = static_cast<unsigned>(n);
    HWND hwnd = ControlOf(control);
    SendMessageW(hwnd, TBM_SETTICFREQ, 500, 0);
    // N is at least 5000, so the step is at least 10; the guard keeps a
    // smaller N from looping forever.
    unsigned step = loop / 500;
    if (step == 0)
        step = 1;

    DWORD start = GetTickCount();
    for (unsigned r = 0; r < loop; r += step)
        SetSliderRange(hwnd, r);
    SetSliderRange(hwnd, loop);
    for (unsigned p = 0; p < loop; ++p)
        SendMessageW(hwnd, TBM_SETPOS, TRUE, static_cast<LPARAM>(p));
    for (unsigned p = loop; p >= 1; --p)
        SendMessageW(hwnd, TBM_SETPOS, TRUE, static_cast<LPARAM>(p));
    SetElapsed(start, GetTickCount());
    FinishTest(10);
}
