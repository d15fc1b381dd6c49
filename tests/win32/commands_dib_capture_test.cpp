// The off-screen picture of BMP COPY: its header, its limits, what it takes
// from a DC and what it hands to the clipboard.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "mainwnd/dib_capture.h"

namespace {

// A screen-compatible bitmap painted in four colour quadrants.
class Source {
  public:
    Source(int width, int height) : width_(width), height_(height) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
        Fill(0, 0, width / 2, height / 2, RGB(255, 0, 0));
        Fill(width / 2, 0, width, height / 2, RGB(0, 255, 0));
        Fill(0, height / 2, width / 2, height, RGB(0, 0, 255));
        Fill(width / 2, height / 2, width, height, RGB(10, 20, 30));
    }
    ~Source() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC DC() const { return dc_; }

  private:
    void Fill(int l, int t, int r, int b, COLORREF colour) {
        RECT rect{l, t, r, b};
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc_, &rect, brush);
        DeleteObject(brush);
    }
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

// The pixel at (x, y), counted from the top, of a bottom-up 24-bit picture.
COLORREF PixelOf(const CDibCapture& image, int x, int y) {
    const auto* bits = static_cast<const unsigned char*>(image.Bits());
    const size_t row = static_cast<size_t>(image.Height() - 1 - y);
    const unsigned char* p = bits + row * CDibCapture::RowBytes(image.Width()) + x * 3;
    return RGB(p[2], p[1], p[0]);
}

TEST(CommandsDibCaptureTest, CreateFillsTheHeaderOfABottomUp24BitPicture) {
    struct Case {
        int width, height;
        DWORD imageBytes;
    } cases[] = {{4, 3, 36}, {5, 2, 32}, {1, 1, 4}, {301, 7, 7 * 904}, {6, 1, 20}};
    HDC screen = GetDC(nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        CDibCapture image;
        ASSERT_EQ(image.Create(screen, c.width, c.height), 1);
        const BITMAPINFOHEADER& h = image.Header()->bmiHeader;
        EXPECT_EQ(h.biSize, 40u);
        EXPECT_EQ(h.biWidth, c.width);
        EXPECT_EQ(h.biHeight, c.height) << "positive: bottom-up rows";
        EXPECT_EQ(h.biPlanes, 1);
        EXPECT_EQ(h.biBitCount, 24);
        EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB));
        EXPECT_EQ(h.biSizeImage, c.imageBytes);
        EXPECT_EQ(h.biXPelsPerMeter, 0);
        EXPECT_EQ(h.biClrUsed, 0u);
        EXPECT_NE(image.DC(), nullptr);
        EXPECT_NE(image.Bits(), nullptr);
        EXPECT_EQ(GetObjectType(GetCurrentObject(image.DC(), OBJ_BITMAP)),
                  static_cast<DWORD>(OBJ_BITMAP));
    }
    ReleaseDC(nullptr, screen);
}

TEST(CommandsDibCaptureTest, SizesWithoutAPictureAreRefusedAndLeaveNothingHeld) {
    struct Case {
        int width, height;
    } cases[] = {{0, 10}, {10, 0}, {-5, 10}, {10, -26}, {100000, 10}, {30000, 30000}};
    HDC screen = GetDC(nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        CDibCapture image;
        ASSERT_EQ(image.Create(screen, 8, 8), 1);
        EXPECT_EQ(image.Create(screen, c.width, c.height), 0);
        EXPECT_EQ(image.DC(), nullptr) << "the previous picture is freed";
        EXPECT_EQ(image.Header(), nullptr);
        EXPECT_EQ(image.Width(), 0);
        image.Capture(screen, 0, 0);  // harmless without a picture
        EXPECT_EQ(image.CopyToClipboard(nullptr), 0);
    }
    ReleaseDC(nullptr, screen);
}

TEST(CommandsDibCaptureTest, CaptureCopiesFromTheSourcePositionToTheOrigin) {
    Source source(40, 20);
    CDibCapture image;
    ASSERT_EQ(image.Create(source.DC(), 20, 10), 1);
    image.Capture(source.DC(), 10, 5);
    GdiFlush();
    // (10, 5) .. (30, 15) of the source: the four quadrants meet at (10, 5).
    EXPECT_EQ(PixelOf(image, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(image, 19, 0), RGB(0, 255, 0));
    EXPECT_EQ(PixelOf(image, 0, 9), RGB(0, 0, 255));
    EXPECT_EQ(PixelOf(image, 19, 9), RGB(10, 20, 30));
    EXPECT_EQ(PixelOf(image, 9, 4), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(image, 10, 5), RGB(10, 20, 30));
}

TEST(CommandsDibCaptureTest, CopyToClipboardPutsTheSamePixelsThereAsABitmap) {
    Source source(31, 17);  // an odd width: rows are padded
    CDibCapture image;
    ASSERT_EQ(image.Create(source.DC(), 31, 17), 1);
    image.Capture(source.DC(), 0, 0);
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    ASSERT_EQ(image.CopyToClipboard(owner), 1);

    ASSERT_TRUE(OpenClipboard(owner));
    HBITMAP copy = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    BITMAP info{};
    ASSERT_NE(GetObjectW(copy, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 31);
    EXPECT_EQ(info.bmHeight, 17);
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = 31;
    header.bmiHeader.biHeight = -17;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 24;
    std::vector<unsigned char> bits(CDibCapture::RowBytes(31) * 17);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDIBits(screen, copy, 0, 17, bits.data(), &header, DIB_RGB_COLORS), 17);
    ReleaseDC(nullptr, screen);
    CloseClipboard();
    auto at = [&](int x, int y) {
        const unsigned char* p = &bits[y * CDibCapture::RowBytes(31) + x * 3];
        return RGB(p[2], p[1], p[0]);
    };
    EXPECT_EQ(at(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(at(30, 0), RGB(0, 255, 0));
    EXPECT_EQ(at(0, 16), RGB(0, 0, 255));
    EXPECT_EQ(at(30, 16), RGB(10, 20, 30));

    // Held open elsewhere, the clipboard cannot be opened: 0.
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(other));
    EXPECT_EQ(image.CopyToClipboard(owner), 0);
    CloseClipboard();
    DestroyWindow(other);
    DestroyWindow(owner);
}

}  // namespace
