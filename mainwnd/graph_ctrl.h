// One bar of the comparison graph: a smooth progress bar whose painting is
// replaced by two pre-rendered 255 x 2 gradients stretched to its size. A
// value above the maximum starts the bar again in an overflow colour.
// Colours are palette::Colour.
#pragma once

#include <cstdint>

#include "framework/control.h"
#include "framework/gdi.h"
#include "mainwnd/graph_bar.h"

class CGraphCtrl : public fw::Control {
  public:
    CGraphCtrl();

    void SetColor(palette::Colour colour);
    // The colours a value past the maximum starts the bar again in, one per
    // time past it (green, cyan, violet, yellow, pink until set).
    void SetOverflowColors(const palette::Colour (&colours)[graph::kOverflowColours]);
    void SetCurrentColor(palette::Colour colour);
    void SetRange(int32_t minimum, int32_t maximum);
    void SetValue(int32_t value);
    // A thin whisker over the bar from one value to another (the marks of a
    // test's slowest and fastest round); none after ClearWhisker.
    void SetWhisker(int32_t low, int32_t high);
    void ClearWhisker();

    int32_t RangeMin() const { return m_nLower; }
    int32_t RangeMax() const { return m_nUpper; }
    int32_t ShownPosition() const { return m_nPos; }
    palette::Colour CurrentColor() const { return m_crCurrent; }

  protected:
    bool RouteMessage(fw::Message& m) override;

  private:
    void OnEraseBkgnd(fw::Message& m);
    void OnPaint(fw::Message& m);
    void DrawWhisker(HDC dc, int width, int height) const;
    // Draws the gradients into one of the two bitmaps.
    void Render(const fw::Bitmap& target, int split);

    palette::Colour m_crOverflow[graph::kOverflowColours] = {
        palette::kGreen, palette::kCyan, palette::Colour::FromRgb(0xC000FF), palette::kYellow,
        palette::Colour::FromRgb(0xFFC0C0)};
    int32_t m_nLower = 0;
    int32_t m_nUpper = 100;
    int32_t m_nPos = 0;
    int32_t m_nValue = 0;  // as given, before the bar starts again past the maximum
    bool m_bWhisker = false;
    int32_t m_nWhiskerLow = 0;
    int32_t m_nWhiskerHigh = 0;
    palette::Colour m_crCurrent = palette::kBlack;
    palette::Colour m_crBase = palette::kBlack;
    const palette::Colour m_crFade = palette::kBlack;
    const palette::Colour m_crTrack = palette::kWhite;
    // Each bitmap is selected into the memory DC only while it is drawn or
    // copied, so the three may go in any order.
    fw::MemoryDC m_memDC;
    fw::Bitmap m_barBitmap;
    fw::Bitmap m_trackBitmap;
};
