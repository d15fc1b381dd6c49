// An owner-drawn push button with a black face, a grey drop shadow under its
// caption and a caption colour of its own. The template control must carry
// the owner-draw style; the parent reflects WM_DRAWITEM and the control
// colour message to it.
#pragma once

#include "framework/control.h"
#include "framework/gdi.h"
#include "framework/palette.h"

class CColorButton : public fw::Control {
  public:
    CColorButton();

    void SetTextColor(COLORREF colour) { m_textColor = colour; }
    void SetTextColor(palette::Colour colour) { SetTextColor(colour.ColorRef()); }
    // Takes effect at the next redraw.
    void SetBkColor(COLORREF colour);
    void SetBkColor(palette::Colour colour) { SetBkColor(colour.ColorRef()); }

    // DrawText format of the caption; owners may set it directly.
    UINT m_textFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;  // 0x25

    bool OnReflected(fw::Message& m) override;

  protected:
    virtual void DrawItem(const DRAWITEMSTRUCT& item);

  private:
    COLORREF m_textColor = palette::kWhite.ColorRef();
    COLORREF m_bkColor;
    fw::Brush m_bkBrush;
};
