// A static control with its own text and background colours, answered from
// the control colour message that the parent reflects to it.
#pragma once

#include "framework/control.h"
#include "framework/gdi.h"

class CColorLabel : public fw::Control {
  public:
    CColorLabel();

    // Stored only; shows at the next repaint.
    void SetTextColor(COLORREF colour) { m_textColor = colour; }
    // Repaints the label at once when it exists.
    void SetBkColor(COLORREF colour);

    bool OnReflected(fw::Message& m) override;

  private:
    COLORREF m_textColor = RGB(0, 0, 0);
    COLORREF m_bkColor;
    fw::Brush m_bkBrush;
};
