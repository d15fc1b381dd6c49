// The comparison window's chart, drawn with GDI from the same geometry the
// HTML export draws as SVG (compare/chart_layout.h): a key of the records'
// colours, the ticks of the log2 scale, the centre line at ×1 and one bar
// per record in each test's group.
#pragma once

#include <cstdint>
#include <vector>

#include "compare/comparison.h"
#include "framework/control.h"

class CCompareChart : public fw::Control {
  public:
    // The comparison to draw, borrowed until the next call; null draws an
    // empty chart.
    void SetComparison(const compare::Comparison* comparison, std::vector<int> order);

  protected:
    bool RouteMessage(fw::Message& m) override;

  private:
    void OnEraseBkgnd(fw::Message& m);
    void OnPaint(fw::Message& m);
    void Draw(HDC dc, int width, int height) const;
    void DrawKey(HDC dc, int width) const;

    const compare::Comparison* m_comparison = nullptr;
    std::vector<int> m_order;
};
