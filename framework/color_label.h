// A static control with its own text and background colours, answered from
// the control colour message that the parent reflects to it.
#pragma once

#include <initializer_list>

#include "framework/control.h"
#include "framework/gdi.h"
#include "framework/palette.h"

class CColorLabel : public fw::Control {
  public:
    CColorLabel();

    // Stored only; shows at the next repaint.
    void SetTextColor(COLORREF colour) { m_textColor = colour; }
    void SetTextColor(palette::Colour colour) { SetTextColor(colour.ColorRef()); }
    // Repaints the label at once when it exists.
    void SetBkColor(COLORREF colour);
    void SetBkColor(palette::Colour colour) { SetBkColor(colour.ColorRef()); }

    bool OnReflected(fw::Message& m) override;

    // The text colours of a window's labels in one table.
    struct TextColour {
        CColorLabel* label;
        palette::Colour colour;
    };
    static void SetTextColors(std::initializer_list<TextColour> labels) {
        for (const TextColour& l : labels)
            l.label->SetTextColor(l.colour);
    }

  private:
    COLORREF m_textColor = palette::kBlack.ColorRef();
    COLORREF m_bkColor;
    fw::Brush m_bkBrush;
};
