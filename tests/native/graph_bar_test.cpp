#include <gtest/gtest.h>

#include "mainwnd/graph_bar.h"

namespace {

// A colour written as 0x00RRGGBB.
constexpr palette::Colour Rgb(uint32_t rrggbb) {
    return palette::Colour::FromRgb(rrggbb);
}

const palette::Colour kDefaultOverflow[graph::kOverflowColours] = {
    Rgb(0x00FF00), Rgb(0x00FFFF), Rgb(0xC000FF), Rgb(0xFFFF00), Rgb(0xFFC0C0)};
const palette::Colour kTotalOverflow[graph::kOverflowColours] = {
    Rgb(0xFFC0FF), Rgb(0xC0C0FF), Rgb(0xFFFFC0), Rgb(0xC0FFFF), Rgb(0xC0FFC0)};

TEST(GraphBarTest, ValuesUpToTheMaximumUseTheBaseColourAndOverflowStartsAgain) {
    struct Case {
        int32_t value, maximum;
        uint32_t colour;
        int32_t position;
    } cases[] = {
        {1500, 3000, 0x0000FF, 1500},  // half a bar
        {3000, 3000, 0x0000FF, 3000},  // exactly full: no overflow
        {3001, 3000, 0x00FF00, 1},     // first overflow colour
        {3500, 3000, 0x00FF00, 500},
        {6000, 3000, 0x00FFFF, 0},  // second colour, empty bar
        {9000, 3000, 0xC000FF, 0},
        {20000, 3000, 0xFFC0C0, 2000},  // k = 5 is capped to the last colour
        {-50, 3000, 0x0000FF, -50},     // clamped when painted
    };
    for (const Case& c : cases) {
        graph::BarState s = graph::ChooseBar(c.value, c.maximum, Rgb(0x0000FF), kDefaultOverflow);
        EXPECT_EQ(s.colour.Rgb(), c.colour) << c.value;
        EXPECT_EQ(s.position, c.position) << c.value;
    }
}

TEST(GraphBarTest, TheTotalBarAtItsRangeOverflowsIntoLightMagenta) {
    graph::BarState s = graph::ChooseBar(70000, 63000, Rgb(0xFF0000), kTotalOverflow);
    EXPECT_EQ(s.colour.Rgb(), 0xFFC0FFu);
    EXPECT_EQ(s.position, 7000);
    EXPECT_EQ(graph::FillWidth(graph::ClampPosition(s.position, 0, 63000), 63000, 630), 70);
}

TEST(GraphBarTest, FillWidthFollowsTheClampedPosition) {
    EXPECT_EQ(graph::FillWidth(1500, 3000, 200), 100);
    EXPECT_EQ(graph::FillWidth(graph::ClampPosition(-50, 0, 3000), 3000, 200), 0);
    EXPECT_EQ(graph::FillWidth(graph::ClampPosition(3000, 0, 3000), 3000, 200), 200);
    EXPECT_EQ(graph::FillWidth(1, 3000, 200), 0) << "cut, not rounded";
    EXPECT_EQ(graph::FillWidth(10, 0, 200), 0) << "a zero maximum never divides";
    EXPECT_EQ(graph::ChooseBar(10, 0, Rgb(7), kDefaultOverflow).colour.Rgb(), 7u);
}

TEST(GraphBarTest, BarColoursAreRedInTheHighByteAndSwappedForPens) {
    EXPECT_EQ(Rgb(0x0000FF).ColorRef(), 0xFF0000u) << "0x0000FF draws blue";
    EXPECT_EQ(Rgb(0xFF0000).ColorRef(), 0x0000FFu) << "0xFF0000 draws red";
    EXPECT_EQ(Rgb(0xC000FF).ColorRef(), 0xFF00C0u) << "violet";
    EXPECT_EQ(Rgb(0x123456).ColorRef(), 0x563412u);
    EXPECT_EQ(Rgb(0x123456).Rgb(), 0x123456u) << "back as it was written";
}

// A named colour reaches a pen in the same colour whichever order it went
// through: straight to COLORREF, or into the graph's order and back.
TEST(GraphBarTest, NamedColoursDrawTheSameInBothByteOrders) {
    const struct {
        const char* name;
        palette::Colour colour;
        uint32_t colorRef;
        uint32_t graphOrder;
    } cases[] = {
        {"red", palette::kRed, 0x0000FF, 0xFF0000},
        {"blue", palette::kBlue, 0xFF0000, 0x0000FF},
        {"green", palette::kGreen, 0x00FF00, 0x00FF00},
        {"yellow", palette::kYellow, 0x00FFFF, 0xFFFF00},
        {"cyan", palette::kCyan, 0xFFFF00, 0x00FFFF},
        {"magenta", palette::kMagenta, 0xFF00FF, 0xFF00FF},
        {"violet", palette::kViolet, 0xFF007F, 0x7F00FF},
        {"rose", palette::kRose, 0x7F00FF, 0xFF007F},
        {"grey", palette::kGrey, 0x7F7F7F, 0x7F7F7F},
        {"black", palette::kBlack, 0x000000, 0x000000},
        {"white", palette::kWhite, 0xFFFFFF, 0xFFFFFF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.colour.ColorRef(), c.colorRef);
        EXPECT_EQ(c.colour.Rgb(), c.graphOrder);
        EXPECT_EQ(Rgb(c.colour.Rgb()).ColorRef(), c.colorRef);
    }
}

TEST(GraphBarTest, GradientsRunFromTheirColourAlmostToBlack) {
    // The bar bitmap: split 255, all columns from the current colour.
    auto bar = graph::GradientColumns(Rgb(0x0000FF), palette::kWhite, palette::kBlack, 255);
    EXPECT_EQ(bar[0], 0xFF0000u) << "blue as COLORREF at the left edge";
    EXPECT_EQ(bar[254], 0x010000u) << "about 1/255 of the colour at the right edge";
    for (int x = 1; x < 255; ++x)
        EXPECT_LE(bar[x] >> 16, bar[x - 1] >> 16);

    // The track bitmap: split 0, white to almost black.
    auto track = graph::GradientColumns(Rgb(0x0000FF), palette::kWhite, palette::kBlack, 0);
    EXPECT_EQ(track[0], 0xFFFFFFu);
    EXPECT_EQ(track[254], 0x010101u);
    EXPECT_EQ(track[127], 0x808080u);

    // A split in between: bar columns first, then the track from white.
    auto mixed = graph::GradientColumns(Rgb(0xFF0000), palette::kWhite, palette::kBlack, 100);
    EXPECT_EQ(mixed[0], 0x0000FFu) << "red";
    EXPECT_EQ(mixed[100], 0xFFFFFFu) << "the track starts white at the split";
}

// A test's range drawn on its bar: within the bar's band of the maximum,
// an end in another band held at the bar's start or end.
TEST(GraphBarTest, ARangeShowsWithinTheBandOfItsBar) {
    struct Case {
        int32_t low, high, value;
        int32_t from, to;
    } cases[] = {
        {1000, 2000, 1500, 1000, 2000},  // all below the maximum of 3000
        {3500, 4000, 3800, 500, 1000},   // all in the first overflow band
        {2500, 3500, 3200, 0, 500},      // crosses into the bar's band: from its start
        {2500, 3500, 2900, 2500, 3000},  // crosses out of it: to its end
        {2000, 9500, 4000, 0, 3000},     // spans the whole band
    };
    for (const Case& c : cases) {
        const graph::Span span = graph::RangeOnBar(c.low, c.high, c.value, 3000);
        EXPECT_EQ(span.from, c.from) << c.low << ".." << c.high << " on " << c.value;
        EXPECT_EQ(span.to, c.to) << c.low << ".." << c.high << " on " << c.value;
    }
}

}  // namespace
