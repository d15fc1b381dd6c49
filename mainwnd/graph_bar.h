// The arithmetic of one graph bar: which colour and position a value shows,
// how much of the bar it fills, and the colour of each gradient column.
//
// Colours of the bar are graph::Rgb, 0x00RRGGBB (red in the high byte), the
// reverse of the platform's COLORREF order; ToColorRef turns one into the
// other when a pen is made.
#pragma once

#include <array>
#include <cstdint>

#include "framework/palette.h"

namespace graph {

constexpr int kGradientWidth = 255;
constexpr int kOverflowColours = 5;

// A colour in the graph's own order, 0x00RRGGBB. A type of its own, so a
// COLORREF (0x00BBGGRR) cannot pass for one: a number becomes an Rgb only
// explicitly, a named colour of the palette converts into either order.
struct Rgb {
    uint32_t value = 0;

    constexpr Rgb() = default;
    constexpr explicit Rgb(uint32_t rrggbb) : value(rrggbb) {}
    constexpr Rgb(palette::Colour c)
        : value(static_cast<uint32_t>(c.red) << 16 | static_cast<uint32_t>(c.green) << 8 |
                static_cast<uint32_t>(c.blue)) {}

    friend constexpr bool operator==(Rgb a, Rgb b) { return a.value == b.value; }
    friend constexpr bool operator!=(Rgb a, Rgb b) { return a.value != b.value; }
};

struct BarState {
    Rgb colour;        // the colour the bar gradient starts from
    int32_t position;  // what the next paint draws
};

// A value above the maximum starts the bar again from empty in overflow
// colour k = value / maximum - 1, capped at the last colour.
BarState ChooseBar(int32_t value, int32_t maximum, Rgb baseColour,
                   const Rgb (&overflow)[kOverflowColours]);

// The position a paint draws, clamped into minimum..maximum.
int32_t ClampPosition(int32_t position, int32_t minimum, int32_t maximum);

// Pixels of a bar `width` wide that the clamped position fills.
int FillWidth(int32_t position, int32_t maximum, int width);

// The part of a range [low, high] that shows on a bar of `value`, as
// positions from 0 to maximum: a bar past the maximum starts again from
// empty, and so does its range; an end in an earlier band is at 0, one in a
// later band at the maximum.
struct Span {
    int32_t from;
    int32_t to;
};
Span RangeOnBar(int32_t low, int32_t high, int32_t value, int32_t maximum);

// The platform's COLORREF (0x00BBGGRR) of a graph colour.
uint32_t ToColorRef(Rgb colour);

// The 255 column colours (as COLORREF) of a gradient bitmap with split s:
// columns 0..s-1 run from the current colour toward the fade colour,
// columns s..254 from the track colour toward it, in 255 steps each.
std::array<uint32_t, kGradientWidth> GradientColumns(Rgb currentColour, Rgb trackColour,
                                                     Rgb fadeColour, int split);

}  // namespace graph
