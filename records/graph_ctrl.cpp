#include "records/graph_ctrl.h"

#include <commctrl.h>

#include "framework/application.h"

CGraphCtrl::CGraphCtrl() {
    HWND main = fw::Application::Current() != nullptr
                    ? fw::Application::Current()->MainWindowHandle()
                    : nullptr;
    fw::WindowDC screen(main);  // the screen while there is no main window
    m_memDC = CreateCompatibleDC(screen.Get());
    m_barBitmap = CreateCompatibleBitmap(screen.Get(), graph::kGradientWidth, 2);
    m_trackBitmap = CreateCompatibleBitmap(screen.Get(), graph::kGradientWidth, 2);
    m_savedBitmap = SelectObject(m_memDC, m_barBitmap);
    Render(graph::kGradientWidth);
    SelectObject(m_memDC, m_trackBitmap);
    Render(0);
}

CGraphCtrl::~CGraphCtrl() {
    if (m_memDC != nullptr)
        SelectObject(m_memDC, m_savedBitmap);
    if (m_barBitmap != nullptr)
        DeleteObject(m_barBitmap);
    if (m_trackBitmap != nullptr)
        DeleteObject(m_trackBitmap);
    if (m_memDC != nullptr)
        DeleteDC(m_memDC);
}

void CGraphCtrl::Render(int split) {
    const auto columns = graph::GradientColumns(m_crCurrent, m_crTrack, m_crFade, split);
    for (int x = 0; x < graph::kGradientWidth; ++x) {
        fw::Pen pen(CreatePen(PS_SOLID, 1, columns[static_cast<size_t>(x)]));
        fw::ScopedSelect use(m_memDC, pen.Get());
        MoveToEx(m_memDC, x, 0, nullptr);
        LineTo(m_memDC, x, 2);
    }
}

void CGraphCtrl::SetColor(uint32_t colour) {
    m_crBase = colour;
    SetCurrentColor(colour);
}

void CGraphCtrl::SetCurrentColor(uint32_t colour) {
    m_crCurrent = colour;
    SelectObject(m_memDC, m_barBitmap);
    Render(graph::kGradientWidth);
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
    m_nPos = state.position;
    if (Handle() != nullptr) {
        Send(PBM_SETPOS, static_cast<WPARAM>(value), 0);
        // The control may not repaint when its own cut position is unchanged.
        InvalidateRect(Handle(), nullptr, FALSE);
    }
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
    SelectObject(m_memDC, m_trackBitmap);
    StretchBlt(dc.Get(), filled, 0, width - filled, height, m_memDC, 0, 0, graph::kGradientWidth, 2,
               SRCCOPY);
    SelectObject(m_memDC, m_barBitmap);
    StretchBlt(dc.Get(), 0, 0, filled, height, m_memDC, 0, 0, graph::kGradientWidth, 2, SRCCOPY);
    m.result = 0;
}
