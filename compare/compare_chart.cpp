#include "compare/compare_chart.h"

#include <algorithm>

#include "compare/chart_layout.h"
#include "compare/entry.h"
#include "framework/gdi.h"
#include "framework/text.h"

namespace {

// Room for the test names at the left and for the key and tick labels above
// the bars, in pixels.
const int kLabelWidth = 150;
const int kKeyHeight = 18;
const int kAxisHeight = kKeyHeight * 2 + 20;
const int kKeySwatch = 10;

int Px(double value) {
    return static_cast<int>(value + 0.5);
}

void Line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

}  // namespace

void CCompareChart::SetComparison(const compare::Comparison* comparison, std::vector<int> order) {
    m_comparison = comparison;
    m_order = std::move(order);
    InvalidateRect(Handle(), nullptr, FALSE);
}

bool CCompareChart::RouteMessage(fw::Message& m) {
    static const fw::Route<CCompareChart> routes[] = {
        fw::OnMessage(WM_ERASEBKGND, &CCompareChart::OnEraseBkgnd),
        fw::OnMessage(WM_PAINT, &CCompareChart::OnPaint),
    };
    return fw::Dispatch(this, routes, m);
}

void CCompareChart::OnEraseBkgnd(fw::Message& m) {
    m.result = 1;  // the paint covers every pixel
}

void CCompareChart::OnPaint(fw::Message& m) {
    fw::PaintDC paint(Handle());
    const RECT client = ClientRect();
    const int width = client.right - client.left, height = client.bottom - client.top;
    // Drawn off screen and copied in one go, so a resize does not flicker.
    fw::MemoryDC memory(paint.Get());
    fw::Bitmap bitmap(CreateCompatibleBitmap(paint.Get(), width, height));
    if (!memory || !bitmap) {
        Draw(paint.Get(), width, height);
    } else {
        fw::ScopedSelect select(memory.Get(), bitmap.Get());
        Draw(memory.Get(), width, height);
        BitBlt(paint.Get(), 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
    }
    m.result = 0;
}

void CCompareChart::Draw(HDC dc, int width, int height) const {
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (m_comparison == nullptr || m_comparison->entries.empty())
        return;
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(GetParent(Handle()), WM_GETFONT, 0, 0));
    fw::ScopedSelect useFont(
        dc, font != nullptr ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    DrawKey(dc, width);

    const compare::ChartLayout layout =
        compare::LayOutChart(*m_comparison, m_order, width, height, kLabelWidth, kAxisHeight);
    const int top = Px(layout.plot.top), bottom = Px(layout.plot.bottom);

    // Every other group on a light band, so the eye keeps to one test.
    fw::Brush band(CreateSolidBrush(RGB(0xF2, 0xF2, 0xF2)));
    const double groupHeight =
        layout.groups.empty() ? 0 : (layout.plot.bottom - layout.plot.top) / layout.groups.size();
    std::string name;
    for (size_t g = 0; g < layout.groups.size(); ++g) {
        const int y0 = Px(layout.plot.top + g * groupHeight);
        const int y1 = Px(layout.plot.top + (g + 1) * groupHeight);
        if (g % 2 == 1) {
            RECT r{0, y0, width, y1};
            FillRect(dc, &r, band.Get());
        }
        GetTestName(layout.groups[g].test, name);
        RECT label{2, y0, kLabelWidth - 6, y1};
        SetTextColor(dc, RGB(0, 0, 0));
        DrawTextW(dc, fw::WidenUtf8(name).c_str(), -1, &label,
                  DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }

    // The ticks of whole doublings, and the centre line at ×1 over them.
    fw::Pen tickPen(CreatePen(PS_DOT, 1, RGB(0xB0, 0xB0, 0xB0)));
    for (const compare::ChartTick& tick : layout.ticks) {
        const int x = Px(tick.x);
        {
            fw::ScopedSelect use(dc, tickPen.Get());
            Line(dc, x, top, x, bottom);
        }
        RECT label{x - 30, top - 16, x + 30, top - 2};
        SetTextColor(dc, RGB(0x40, 0x40, 0x40));
        DrawTextW(dc, fw::WidenUtf8(tick.label).c_str(), -1, &label,
                  DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    fw::Pen centrePen(CreatePen(PS_SOLID, 2, RGB(0, 0, 0)));
    {
        fw::ScopedSelect use(dc, centrePen.Get());
        Line(dc, Px(layout.centreX), top - 2, Px(layout.centreX), bottom);
    }

    fw::Pen whiskerPen(CreatePen(PS_SOLID, 1, RGB(0x30, 0x30, 0x30)));
    for (const compare::ChartBar& bar : layout.bars) {
        const COLORREF colour = compare::ColumnColour(bar.column).ColorRef();
        RECT r{Px(bar.bar.left), Px(bar.bar.top), Px(bar.bar.right), Px(bar.bar.bottom)};
        if (r.right - r.left < 2)
            r.right = r.left + 2;  // a ratio of ×1 still shows as a sliver
        fw::Pen outline(CreatePen(PS_SOLID, 1, colour));
        fw::Brush fill(CreateSolidBrush(colour));
        fw::ScopedSelect usePen(dc, outline.Get());
        fw::ScopedSelect useBrush(
            dc, bar.hollow ? GetStockObject(WHITE_BRUSH) : static_cast<HGDIOBJ>(fill.Get()));
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
        if (!bar.whisker)
            continue;
        fw::ScopedSelect useWhisker(dc, whiskerPen.Get());
        const int y = Px(bar.whiskerY), half = std::max<int>(1, (r.bottom - r.top) / 3);
        const int left = Px(bar.whiskerLeft), right = Px(bar.whiskerRight);
        Line(dc, left, y, right + 1, y);
        Line(dc, left, y - half, left, y + half + 1);
        Line(dc, right, y - half, right, y + half + 1);
    }
}

void CCompareChart::DrawKey(HDC dc, int width) const {
    // The records' colours in column order, wrapping to a second line.
    int x = 4, y = 2;
    for (size_t col = 0; col < m_comparison->entries.size(); ++col) {
        const std::wstring label = fw::WidenUtf8(compare::EntryLabel(m_comparison->entries[col]));
        SIZE extent{};
        GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &extent);
        const int itemWidth = std::min<int>(kKeySwatch + 4 + extent.cx + 12, width / 2);
        if (x + itemWidth > width && x > 4) {
            x = 4;
            y += kKeyHeight;
        }
        fw::Brush swatch(CreateSolidBrush(compare::ColumnColour(static_cast<int>(col)).ColorRef()));
        RECT box{x, y + 3, x + kKeySwatch, y + 3 + kKeySwatch};
        FillRect(dc, &box, swatch.Get());
        RECT text{x + kKeySwatch + 4, y, x + itemWidth - 8, y + kKeyHeight};
        SetTextColor(dc, RGB(0, 0, 0));
        DrawTextW(dc, label.c_str(), -1, &text,
                  DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        x += itemWidth;
    }
}
