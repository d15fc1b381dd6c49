// What the caption buttons of every window look like in the test prefix:
// the system draws them with glyphs of the Marlett font, so the prefix must
// offer Wine's own fonts. Without them the close button shows the letter
// "r" (and minimise and maximise "0" and "1").
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/gdi.h"
#include "framework/text.h"
#include "mainwnd/dib_capture.h"

namespace {

// The family name (name record 1) in the font's own name table, so that a
// stand-in chosen by the font mapper does not pass for the face asked for.
std::wstring FamilyInNameTable(const wchar_t* face) {
    LOGFONTW lf{};
    lf.lfHeight = -16;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    fw::Font font(CreateFontIndirectW(&lf));
    fw::WindowDC screen(nullptr);
    fw::ScopedSelect select(screen.Get(), font.Get());
    const DWORD kName = 'n' | 'a' << 8 | 'm' << 16 | static_cast<DWORD>('e') << 24;
    const DWORD size = GetFontData(screen.Get(), kName, 0, nullptr, 0);
    if (size == GDI_ERROR || size < 6)
        return L"";
    std::vector<unsigned char> t(size);
    GetFontData(screen.Get(), kName, 0, t.data(), size);
    auto word = [&t](size_t at) { return at + 1 < t.size() ? t[at] << 8 | t[at + 1] : 0; };
    const int count = word(2);
    const size_t strings = word(4);
    for (int i = 0; i < count; ++i) {
        const size_t record = 6 + 12 * static_cast<size_t>(i);
        const int platform = word(record), nameId = word(record + 6);
        const size_t length = word(record + 8), offset = strings + word(record + 10);
        if (nameId != 1 || offset + length > t.size())
            continue;
        std::wstring name;
        if (platform == 3) {  // Windows: UTF-16, big-endian
            for (size_t k = 0; k + 1 < length; k += 2)
                name += static_cast<wchar_t>(word(offset + k));
        } else if (platform == 1) {  // Macintosh: one byte a character
            for (size_t k = 0; k < length; ++k)
                name += static_cast<wchar_t>(t[offset + k]);
        }
        if (!name.empty())
            return name;
    }
    return L"";
}

TEST(CaptionButtonsTest, WinesOwnFontsAreInstalled) {
    // Wine's TrueType faces that no bitmap font of the same name could
    // stand in for.
    const wchar_t* faces[] = {L"Marlett", L"Tahoma", L"Symbol", L"Wingdings", L"Webdings"};
    for (const wchar_t* face : faces) {
        const std::wstring found = FamilyInNameTable(face);
        const bool same = CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, found.c_str(), -1, face,
                                         -1) == CSTR_EQUAL;
        EXPECT_TRUE(same) << "asked for " << fw::NarrowAnsi(face) << ", drawn with "
                          << fw::NarrowAnsi(found);
    }
}

// A window with a caption and only the close button.
class CaptionWindow {
  public:
    CaptionWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        wc.lpszClassName = L"VelkoraCaptionProbe";
        RegisterClassW(&wc);
        hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"Caption", WS_CAPTION | WS_SYSMENU, 100, 100,
                                320, 160, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~CaptionWindow() {
        if (hwnd_ != nullptr)
            DestroyWindow(hwnd_);
    }
    CaptionWindow(const CaptionWindow&) = delete;
    CaptionWindow& operator=(const CaptionWindow&) = delete;
    HWND Get() const { return hwnd_; }

  private:
    HWND hwnd_ = nullptr;
};

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

int Luminance(COLORREF c) {
    return (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
}

// The dark pixels on the face of the close button, as rows of '#' and '.'.
struct Glyph {
    std::vector<std::string> rows;

    bool Dark(int x, int y) const { return rows[y][x] == '#'; }
    int Count() const {
        int n = 0;
        for (const std::string& row : rows)
            for (char c : row)
                n += c == '#';
        return n;
    }
    // Dark at (x, y) or next to it; edge smoothing moves a glyph's pixels
    // by one.
    bool DarkNear(int x, int y) const {
        const int h = static_cast<int>(rows.size()), w = static_cast<int>(rows[0].size());
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (x + dx >= 0 && x + dx < w && y + dy >= 0 && y + dy < h && Dark(x + dx, y + dy))
                    return true;
        return false;
    }
    // The share of dark pixels whose mirror image (left-right or
    // upside-down) is dark too.
    double Symmetry(bool leftRight) const {
        int dark = 0, mirrored = 0;
        const int h = static_cast<int>(rows.size()), w = static_cast<int>(rows[0].size());
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (!Dark(x, y))
                    continue;
                ++dark;
                mirrored += leftRight ? DarkNear(w - 1 - x, y) : DarkNear(x, h - 1 - y);
            }
        }
        return dark == 0 ? 0 : static_cast<double>(mirrored) / dark;
    }
    std::string Picture() const {
        std::string all;
        for (const std::string& row : rows)
            all += row + "\n";
        return all;
    }
};

// Captures the window with its frame and cuts the close button's glyph out
// of it: the box of the button face colour in the caption's last button
// cell without its dark edge lines, and within it the pixels nearer the
// button text colour, trimmed to their bounding box.
bool CloseButtonGlyph(HWND window, Glyph& glyph, std::string* error) {
    RECT r;
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC dc = GetWindowDC(window);
    CDibCapture picture;
    const bool made = picture.Create(dc, width, height) != 0;
    if (made)
        picture.Capture(dc, 0, 0);
    ReleaseDC(window, dc);
    if (!made) {
        *error = "no capture";
        return false;
    }
    const auto* bits = static_cast<const unsigned char*>(picture.Bits());
    auto at = [&](int x, int y) {  // bottom-up rows of blue, green, red
        const unsigned char* p = bits + (height - 1 - y) * CDibCapture::RowBytes(width) + x * 3;
        return RGB(p[2], p[1], p[0]);
    };

    const int frame = GetSystemMetrics(SM_CXFIXEDFRAME);
    const int cellLeft = width - frame - GetSystemMetrics(SM_CXSIZE);
    const int cellTop = GetSystemMetrics(SM_CYFIXEDFRAME);
    const int cellBottom = cellTop + GetSystemMetrics(SM_CYCAPTION);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = cellTop; y < cellBottom && y < height; ++y) {
        for (int x = cellLeft > 0 ? cellLeft : 0; x < width - frame; ++x) {
            if (at(x, y) != face)
                continue;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    }
    if (right < left) {
        *error = "no button face in the caption's last cell";
        return false;
    }
    const int threshold = (Luminance(face) + Luminance(GetSysColor(COLOR_BTNTEXT))) / 2;
    // The box can take in the button's dark outer edges: rows and columns
    // dark over most of their length are edge, not glyph.
    const int boxWidth = right - left + 1, boxHeight = bottom - top + 1;
    std::vector<int> darkInRow(boxHeight), darkInColumn(boxWidth);
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            if (Luminance(at(x, y)) < threshold)
                ++darkInRow[y - top], ++darkInColumn[x - left];
        }
    }
    auto inGlyph = [&](int x, int y) {
        return Luminance(at(x, y)) < threshold && darkInRow[y - top] * 4 < boxWidth * 3 &&
               darkInColumn[x - left] * 4 < boxHeight * 3;
    };
    int gl = right, gt = bottom, gr = left - 1, gb = top - 1;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            if (!inGlyph(x, y))
                continue;
            gl = std::min(gl, x), gr = std::max(gr, x);
            gt = std::min(gt, y), gb = std::max(gb, y);
        }
    }
    glyph.rows.clear();
    for (int y = gt; y <= gb; ++y) {
        std::string row;
        for (int x = gl; x <= gr; ++x)
            row += inGlyph(x, y) ? '#' : '.';
        glyph.rows.push_back(row);
    }
    return true;
}

TEST(CaptionButtonsTest, TheCloseButtonShowsACrossNotALetter) {
    CaptionWindow window;
    ASSERT_NE(window.Get(), nullptr);
    ShowWindow(window.Get(), SW_SHOWNORMAL);
    SetForegroundWindow(window.Get());
    // The active caption's colours differ from the button face's.
    SendMessageW(window.Get(), WM_NCACTIVATE, TRUE, 0);
    RedrawWindow(window.Get(), nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    GdiFlush();

    Glyph glyph;
    std::string error;
    ASSERT_TRUE(CloseButtonGlyph(window.Get(), glyph, &error)) << error;
    // A cross is as wide as high, the same mirrored either way, and has ink
    // in all four corners; a letter "r" is none of these.
    ASSERT_GE(glyph.Count(), 6) << "the close button is blank:\n" << glyph.Picture();
    const int h = static_cast<int>(glyph.rows.size()), w = static_cast<int>(glyph.rows[0].size());
    EXPECT_LE(std::abs(w - h), 2) << glyph.Picture();
    EXPECT_GE(glyph.Symmetry(true), 0.9) << glyph.Picture();
    EXPECT_GE(glyph.Symmetry(false), 0.9) << glyph.Picture();
    const int q = std::max(1, (std::min(w, h) + 2) / 3);
    auto inked = [&](int x0, int y0) {
        for (int y = y0; y < y0 + q; ++y)
            for (int x = x0; x < x0 + q; ++x)
                if (glyph.Dark(x, y))
                    return true;
        return false;
    };
    EXPECT_TRUE(inked(0, 0) && inked(w - q, 0) && inked(0, h - q) && inked(w - q, h - q))
        << "no ink in a corner:\n"
        << glyph.Picture();
}

}  // namespace
