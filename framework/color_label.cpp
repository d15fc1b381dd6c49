#include "framework/color_label.h"

CColorLabel::CColorLabel() : m_bkColor(GetSysColor(COLOR_BTNFACE)) {
    m_bkBrush.Reset(CreateSolidBrush(m_bkColor));
}

void CColorLabel::SetBkColor(COLORREF colour) {
    m_bkColor = colour;
    m_bkBrush.Reset(CreateSolidBrush(colour));
    if (Handle() != nullptr)
        InvalidateRect(Handle(), nullptr, TRUE);
}

bool CColorLabel::OnReflected(fw::Message& m) {
    // Read-only edits colour through WM_CTLCOLORSTATIC as well.
    if (m.msg != WM_CTLCOLORSTATIC && m.msg != WM_CTLCOLOREDIT)
        return false;
    HDC dc = reinterpret_cast<HDC>(m.wParam);
    ::SetTextColor(dc, m_textColor);
    ::SetBkColor(dc, m_bkColor);
    m.result = reinterpret_cast<LRESULT>(m_bkBrush.Get());
    return true;
}
