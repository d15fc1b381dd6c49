#include "bench/round_start.h"

#include <commctrl.h>

#include "bench/catalogue.h"
#include "framework/window.h"
#include "res/resource.h"

namespace {

// The controls whose text or check mark the text tests change.
const int kTextIds[] = {IDC_TEST_STATIC, IDC_TEST_EDIT,   IDC_TEST_BUTTON,  IDC_TEST_GROUPBOX,
                        IDC_TEST_RADIO1, IDC_TEST_RADIO2, IDC_TEST_CHECKBOX};
const int kProgressIds[] = {IDC_TEST_PROGRESS, IDC_TEST_SMOOTH_PROGRESS};
// The slider's tick frequency before a test sets its own: one tick per unit,
// the trackbar's default with automatic ticks.
const WPARAM kDefaultTickFrequency = 1;

}  // namespace

void FillTestCombo(HWND combo) {
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"9999"));
}

void RoundStartState::Capture(HWND dialog) {
    static_assert(sizeof kTextIds / sizeof kTextIds[0] == kTextControls, "one text per control");
    for (int i = 0; i < kTextControls; ++i) {
        texts_[i] = fw::Window(dialog).ItemText(kTextIds[i]);
        checks_[i] = IsDlgButtonChecked(dialog, kTextIds[i]);
    }
    scroll_ = SCROLLINFO{};
    scroll_.cbSize = sizeof scroll_;
    scroll_.fMask = SIF_ALL;
    GetScrollInfo(GetDlgItem(dialog, IDC_TEST_SCROLLBAR), SB_CTL, &scroll_);
    for (int i = 0; i < 2; ++i) {
        HWND bar = GetDlgItem(dialog, kProgressIds[i]);
        SendMessageW(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&progressRange_[i]));
        progressPos_[i] = static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
    }
    HWND slider = GetDlgItem(dialog, IDC_TEST_SLIDER);
    sliderMin_ = SendMessageW(slider, TBM_GETRANGEMIN, 0, 0);
    sliderMax_ = SendMessageW(slider, TBM_GETRANGEMAX, 0, 0);
    sliderPos_ = SendMessageW(slider, TBM_GETPOS, 0, 0);
    pointerKnown_ = GetCursorPos(&pointer_) != FALSE;
}

void RoundStartState::Restore(HWND dialog) const {
    for (int i = 0; i < kTextControls; ++i) {
        SetDlgItemTextW(dialog, kTextIds[i], texts_[i].c_str());
        CheckDlgButton(dialog, kTextIds[i], checks_[i]);
    }
    SCROLLINFO scroll = scroll_;
    scroll.fMask = SIF_ALL;
    SetScrollInfo(GetDlgItem(dialog, IDC_TEST_SCROLLBAR), SB_CTL, &scroll, TRUE);
    for (int i = 0; i < 2; ++i) {
        HWND bar = GetDlgItem(dialog, kProgressIds[i]);
        SendMessageW(bar, PBM_SETRANGE32, static_cast<WPARAM>(progressRange_[i].iLow),
                     progressRange_[i].iHigh);
        SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(progressPos_[i]), 0);
    }
    HWND slider = GetDlgItem(dialog, IDC_TEST_SLIDER);
    SendMessageW(slider, TBM_SETRANGEMIN, FALSE, sliderMin_);
    SendMessageW(slider, TBM_SETRANGEMAX, FALSE, sliderMax_);
    SendMessageW(slider, TBM_SETTICFREQ, kDefaultTickFrequency, 0);
    SendMessageW(slider, TBM_SETPOS, TRUE, sliderPos_);

    SendDlgItemMessageW(dialog, IDC_TEST_LISTBOX, LB_RESETCONTENT, 0, 0);
    SendDlgItemMessageW(dialog, IDC_TEST_TAB, TCM_DELETEALLITEMS, 0, 0);
    SendDlgItemMessageW(dialog, IDC_TEST_TREE, TVM_DELETEITEM, 0,
                        reinterpret_cast<LPARAM>(TVI_ROOT));
    HWND list = GetDlgItem(dialog, IDC_TEST_LISTVIEW);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    while (SendMessageW(list, LVM_DELETECOLUMN, 0, 0) != FALSE) {
    }
    FillTestCombo(GetDlgItem(dialog, IDC_TEST_COMBO));
    for (int i = 0; i < bench::kTestCount; ++i) {
        HWND control = GetDlgItem(dialog, bench::kCatalogue[i].controlId);
        ShowWindow(control, SW_SHOWNA);
        EnableWindow(control, TRUE);
    }
    if (pointerKnown_)
        SetCursorPos(pointer_.x, pointer_.y);
}
