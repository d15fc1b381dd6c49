// One bar of the comparison graph: a smooth progress bar whose painting is
// replaced by two pre-rendered 255 x 2 gradients stretched to its size. A
// value above the maximum starts the bar again in an overflow colour.
// Colours are 0x00RRGGBB (see graph_bar.h).
#pragma once

#include <cstdint>

#include "framework/control.h"
#include "framework/gdi.h"
#include "records/graph_bar.h"

class CGraphCtrl : public fw::Control {
  public:
    CGraphCtrl();
    ~CGraphCtrl() override;

    void SetColor(uint32_t colour);
    void SetCurrentColor(uint32_t colour);
    void SetRange(int32_t minimum, int32_t maximum);
    void SetValue(int32_t value);

    int32_t RangeMin() const { return m_nLower; }
    int32_t RangeMax() const { return m_nUpper; }
    int32_t ShownPosition() const { return m_nPos; }
    uint32_t CurrentColor() const { return m_crCurrent; }

    uint32_t m_crOverflow[graph::kOverflowColours] = {0x00FF00, 0x00FFFF, 0xC000FF, 0xFFFF00,
                                                      0xFFC0C0};

  protected:
    bool RouteMessage(fw::Message& m) override;

  private:
    void OnEraseBkgnd(fw::Message& m);
    void OnPaint(fw::Message& m);
    // Draws the gradients into the bitmap selected in the memory DC.
    void Render(int split);

    int32_t m_nLower = 0;
    int32_t m_nUpper = 100;
    int32_t m_nPos = 0;
    uint32_t m_crCurrent = 0;
    uint32_t m_crBase = 0;
    const uint32_t m_crFade = 0x000000;
    const uint32_t m_crTrack = 0xFFFFFF;
    HDC m_memDC = nullptr;
    HBITMAP m_barBitmap = nullptr;
    HBITMAP m_trackBitmap = nullptr;
    HGDIOBJ m_savedBitmap = nullptr;
};
