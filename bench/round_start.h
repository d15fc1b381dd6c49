// What the test window's controls and the pointer look like when the first
// round starts, kept so that every later round starts from the same state.
//
// The tests leave their controls changed: lists and tabs full, bars and the
// slider at their last positions, texts reading the last number, the check
// marks set, the pointer parked beside the window by Show / Hide. Timed from
// that state a test does not time what the first round timed (a list box of
// thousands of items repaints differently from an empty one), so the window
// captures the state once, after its controls are set up, and puts it back
// between rounds, outside every timed loop.
#pragma once

#include <windows.h>

#include <string>

class RoundStartState {
  public:
    // Reads the controls of the test window `dialog` and the pointer.
    void Capture(HWND dialog);
    // Puts them back: texts and check marks, the scroll bar, both progress
    // bars and the slider as read, the list box, tab, tree and list view
    // empty, the combo box with its one item, every control shown and
    // enabled, the pointer where it was.
    void Restore(HWND dialog) const;

  private:
    static constexpr int kTextControls = 7;
    std::wstring texts_[kTextControls];
    UINT checks_[kTextControls] = {};
    SCROLLINFO scroll_{};
    PBRANGE progressRange_[2] = {};
    int progressPos_[2] = {};
    LRESULT sliderMin_ = 0, sliderMax_ = 0, sliderPos_ = 0;
    POINT pointer_{};
    bool pointerKnown_ = false;
};

// The one item the test window's combo box holds before the first test.
void FillTestCombo(HWND combo);
