#include "framework/color_button.h"

#include <string>

CColorButton::CColorButton() : m_bkColor(GetSysColor(COLOR_BTNFACE)) {
    m_bkBrush.Reset(CreateSolidBrush(m_bkColor));
}

void CColorButton::SetBkColor(COLORREF colour) {
    m_bkColor = colour;
    m_bkBrush.Reset(CreateSolidBrush(colour));
}

bool CColorButton::OnReflected(fw::Message& m) {
    if (m.msg == WM_DRAWITEM) {
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam));
        m.result = TRUE;
        return true;
    }
    if (m.msg == WM_CTLCOLORBTN) {
        HDC dc = reinterpret_cast<HDC>(m.wParam);
        ::SetTextColor(dc, m_textColor);
        ::SetBkColor(dc, m_bkColor);
        m.result = reinterpret_cast<LRESULT>(m_bkBrush.Get());
        return true;
    }
    return false;
}

void CColorButton::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT whole = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;

    // The edge: raised when drawn whole or released, sunken while pressed,
    // none for a focus change.
    if (item.itemAction & ODA_DRAWENTIRE)
        DrawEdge(dc, &whole, EDGE_RAISED, BF_RECT | BF_SOFT);
    else if (item.itemAction & ODA_SELECT)
        DrawEdge(dc, &whole, selected ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT);

    const bool pressed = (item.itemAction & ODA_SELECT) && selected;
    RECT inner{whole.left + 4, whole.top + 5, whole.right - 4, whole.bottom - 4};
    const std::wstring caption = Text();
    COLORREF mainColour = pressed ? palette::kWhite.ColorRef() : m_textColor;
    const int shadowX = pressed ? -1 : 2;
    const int shadowY = pressed ? 1 : -2;

    SetBkMode(dc, TRANSPARENT);
    {
        fw::ScopedSelect brush(dc, GetStockObject(BLACK_BRUSH));
        Rectangle(dc, inner.left, inner.top, inner.right, inner.bottom);
    }
    OffsetRect(&inner, shadowX, shadowY);
    ::SetTextColor(dc, palette::kGrey.ColorRef());
    DrawTextW(dc, caption.c_str(), -1, &inner, m_textFormat);

    ::SetTextColor(dc, mainColour);
    DrawTextW(dc, caption.c_str(), -1, &whole, m_textFormat);

    // Where the keyboard focus is, for a user who moves it with Tab: a dotted
    // frame just inside the black field (which every drawing repaints, so the
    // frame's inverting pen always starts afresh). The system hides it until
    // the keyboard is used.
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus{inner.left + 1, inner.top + 1, inner.right - 1, inner.bottom - 1};
        OffsetRect(&focus, -shadowX, -shadowY);
        DrawFocusRect(dc, &focus);
    }

    if (item.itemState & ODS_DISABLED) {
        ::SetTextColor(dc, GetSysColor(COLOR_WINDOW));
        DrawTextW(dc, caption.c_str(), -1, &whole, m_textFormat);
        OffsetRect(&whole, -1, -1);
        ::SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        DrawTextW(dc, caption.c_str(), -1, &whole, m_textFormat);
    }
}
