#include "mainwnd/graph_ctrl.h"

#include <commctrl.h>

namespace {

// A 255 x 2 gradient bitmap compatible with the screen, which every window of
// the program draws on.
HBITMAP MakeGradientBitmap() {
    fw::WindowDC screen(nullptr);
    return CreateCompatibleBitmap(screen.Get(), graph::kGradientWidth, 2);
}

}  // namespace

// A null DC: the memory DC is compatible with the screen as well.
CGraphCtrl::CGraphCtrl()
    : m_memDC(nullptr), m_barBitmap(MakeGradientBitmap()), m_trackBitmap(MakeGradientBitmap()) {
    Render(m_barBitmap, graph::kGradientWidth);
    Render(m_trackBitmap, 0);
}

void CGraphCtrl::Render(const fw::Bitmap& target, int split) {
    const HDC dc = m_memDC.Get();
    fw::ScopedSelect into(dc, target.Get());
    const auto columns = graph::GradientColumns(m_crCurrent, m_crTrack, m_crFade, split);
    for (int x = 0; x < graph::kGradientWidth; ++x) {
        fw::Pen pen(CreatePen(PS_SOLID, 1, columns[static_cast<size_t>(x)]));
        fw::ScopedSelect use(dc, pen.Get());
        MoveToEx(dc, x, 0, nullptr);
        LineTo(dc, x, 2);
    }
}

void CGraphCtrl::SetColor(palette::Colour colour) {
    m_crBase = colour;
    SetCurrentColor(colour);
}

void CGraphCtrl::SetOverflowColors(const palette::Colour (&colours)[graph::kOverflowColours]) {
    for (int k = 0; k < graph::kOverflowColours; ++k)
        m_crOverflow[k] = colours[k];
}

void CGraphCtrl::SetCurrentColor(palette::Colour colour) {
    m_crCurrent = colour;
    Render(m_barBitmap, graph::kGradientWidth);
}

void CGraphCtrl::SetRange(int32_t minimum, int32_t maximum) {
    m_nLower = minimum;
    m_nUpper = maximum;
    // The control's own range is 16-bit; drawing uses the full fields.
    if (Handle() != nullptr)
        Send(PBM_SETRANGE, 0, MAKELPARAM(minimum & 0xFFFF, maximum & 0xFFFF));
}

void CGraphCtrl::SetValue(int32_t value) {
    const graph::BarState state = graph::ChooseBar(value, m_nUpper, m_crBase, m_crOverflow);
    SetCurrentColor(state.colour);
    m_nValue = value;
    m_nPos = state.position;
    if (Handle() != nullptr) {
        Send(PBM_SETPOS, static_cast<WPARAM>(value), 0);
        // The control may not repaint when its own cut position is unchanged.
        InvalidateRect(Handle(), nullptr, FALSE);
    }
}

void CGraphCtrl::SetWhisker(int32_t low, int32_t high) {
    m_bWhisker = true;
    m_nWhiskerLow = low;
    m_nWhiskerHigh = high;
    if (Handle() != nullptr)
        InvalidateRect(Handle(), nullptr, FALSE);
}

void CGraphCtrl::ClearWhisker() {
    if (!m_bWhisker)
        return;
    m_bWhisker = false;
    if (Handle() != nullptr)
        InvalidateRect(Handle(), nullptr, FALSE);
}

bool CGraphCtrl::RouteMessage(fw::Message& m) {
    static const fw::Route<CGraphCtrl> routes[] = {
        fw::OnMessage(WM_ERASEBKGND, &CGraphCtrl::OnEraseBkgnd),
        fw::OnMessage(WM_PAINT, &CGraphCtrl::OnPaint),
    };
    return fw::Dispatch(this, routes, m);
}

void CGraphCtrl::OnEraseBkgnd(fw::Message& m) {
    m.result = 1;
}

void CGraphCtrl::OnPaint(fw::Message& m) {
    fw::PaintDC dc(Handle());
    const RECT client = ClientRect();
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    m_nPos = graph::ClampPosition(m_nPos, m_nLower, m_nUpper);
    const int filled = graph::FillWidth(m_nPos, m_nUpper, width);
    SetStretchBltMode(dc.Get(), COLORONCOLOR);
    {
        fw::ScopedSelect track(m_memDC.Get(), m_trackBitmap.Get());
        StretchBlt(dc.Get(), filled, 0, width - filled, height, m_memDC.Get(), 0, 0,
                   graph::kGradientWidth, 2, SRCCOPY);
    }
    {
        fw::ScopedSelect bar(m_memDC.Get(), m_barBitmap.Get());
        StretchBlt(dc.Get(), 0, 0, filled, height, m_memDC.Get(), 0, 0, graph::kGradientWidth, 2,
                   SRCCOPY);
    }
    if (m_bWhisker)
        DrawWhisker(dc.Get(), width, height);
    m.result = 0;
}

void CGraphCtrl::DrawWhisker(HDC dc, int width, int height) const {
    // Where each end would fill the bar to, on the bar's own scale and band,
    // joined by a line across the bar's middle with a tick at each end.
    const graph::Span span = graph::RangeOnBar(m_nWhiskerLow, m_nWhiskerHigh, m_nValue, m_nUpper);
    const int left =
        graph::FillWidth(graph::ClampPosition(span.from, m_nLower, m_nUpper), m_nUpper, width);
    const int right =
        graph::FillWidth(graph::ClampPosition(span.to, m_nLower, m_nUpper), m_nUpper, width);
    const int middle = height / 2, tick = height / 3;
    fw::Pen pen(CreatePen(PS_SOLID, 1, palette::kMagenta.ColorRef()));
    fw::ScopedSelect use(dc, pen.Get());
    MoveToEx(dc, left, middle, nullptr);
    LineTo(dc, right, middle);
    for (int x : {left, right}) {
        MoveToEx(dc, x, middle - tick, nullptr);
        LineTo(dc, x, middle + tick + 1);
    }
}
