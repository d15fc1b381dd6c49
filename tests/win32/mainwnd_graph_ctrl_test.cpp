// The graph bar as it reaches the screen: the colour each value draws in,
// where the fill ends, and the track behind it. The bar and the window
// around it are real; the pixels are read back from the window.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "mainwnd/dib_capture.h"
#include "mainwnd/graph_ctrl.h"

namespace {

const int kWidth = 255;
const int kHeight = 8;

// A visible pop-up holding one smooth progress bar bound to a CGraphCtrl.
class GraphWindow {
  public:
    GraphWindow() {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&init);
        frame_ = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 40, 40,
                                 kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
        HWND bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE | PBS_SMOOTH, 0,
                                   0, kWidth, kHeight, frame_, nullptr, nullptr, nullptr);
        graph.Bind(bar);
    }
    ~GraphWindow() {
        graph.Unbind();
        DestroyWindow(frame_);
    }

    // The bar's top row after a full repaint, as COLORREFs.
    std::vector<COLORREF> ShownRow() {
        RedrawWindow(graph.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        GdiFlush();
        std::vector<COLORREF> row;
        HDC dc = GetDC(graph.Handle());
        CDibCapture picture;
        if (picture.Create(dc, kWidth, kHeight) != 0) {
            picture.Capture(dc, 0, 0);
            GdiFlush();
            const auto* bits = static_cast<const unsigned char*>(picture.Bits());
            const unsigned char* top = bits + (kHeight - 1) * CDibCapture::RowBytes(kWidth);
            for (int x = 0; x < kWidth; ++x)
                row.push_back(RGB(top[3 * x + 2], top[3 * x + 1], top[3 * x]));
        }
        ReleaseDC(graph.Handle(), dc);
        return row;
    }

    CGraphCtrl graph;

  private:
    HWND frame_ = nullptr;
};

// Channel by channel within 2: a bar narrower than its 255 gradient columns
// is a stretch that may start at the second column, a step darker.
bool Near(COLORREF shown, COLORREF expected) {
    for (int shift : {0, 8, 16}) {
        const int a = static_cast<int>((shown >> shift) & 0xFF);
        const int b = static_cast<int>((expected >> shift) & 0xFF);
        if (a - b > 2 || b - a > 2)
            return false;
    }
    return true;
}

TEST(GraphCtrlTest, EachValueDrawsItsColourUpToItsFillAndTheWhiteTrackAfter) {
    struct Case {
        const char* what;
        palette::Colour base;
        int32_t value;
        COLORREF firstPixel;  // the start of the gradient
        int filled;           // pixels of bar before the track starts
    } cases[] = {
        {"a result bar half full", palette::kBlue, 50, RGB(0, 0, 255), 127},
        {"the total bar half full", palette::kRed, 50, RGB(255, 0, 0), 127},
        {"a full bar does not overflow", palette::kBlue, 100, RGB(0, 0, 255), kWidth},
        {"first overflow: green from empty", palette::kBlue, 150, RGB(0, 255, 0), 127},
        {"second overflow: cyan", palette::kBlue, 250, RGB(0, 255, 255), 127},
        {"third overflow: violet 0xC000FF", palette::kBlue, 350, RGB(0xC0, 0, 0xFF), 127},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GraphWindow window;
        ASSERT_TRUE(window.graph.IsBound());
        window.graph.SetColor(c.base);
        window.graph.SetRange(0, 100);
        window.graph.SetValue(c.value);
        const std::vector<COLORREF> row = window.ShownRow();
        ASSERT_EQ(row.size(), static_cast<size_t>(kWidth));
        EXPECT_TRUE(Near(row[0], c.firstPixel)) << std::hex << row[0];
        if (c.filled < kWidth) {
            EXPECT_NE(row[c.filled - 1], RGB(255, 255, 255)) << "the bar reaches its fill";
            EXPECT_TRUE(Near(row[c.filled], RGB(255, 255, 255)))
                << "the track starts white: " << std::hex << row[c.filled];
            const COLORREF last = row[kWidth - 1];
            EXPECT_TRUE(GetRValue(last) < 8 && GetRValue(last) == GetGValue(last) &&
                        GetGValue(last) == GetBValue(last))
                << "and fades to almost black, grey all the way: " << std::hex << last;
        }
    }
}

}  // namespace
