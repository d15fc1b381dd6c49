// The arithmetic of one graph bar: which colour and position a value shows,
// how much of the bar it fills, and the colour of each gradient column.
//
// Colours are palette::Colour; the gradient columns come out as the
// platform's COLORREF, ready for a pen.
#pragma once

#include <array>
#include <cstdint>

#include "framework/palette.h"

namespace graph {

constexpr int kGradientWidth = 255;
constexpr int kOverflowColours = 5;

struct BarState {
    palette::Colour colour;  // the colour the bar gradient starts from
    int32_t position;        // what the next paint draws
};

// A value above the maximum starts the bar again from empty in overflow
// colour k = value / maximum - 1, capped at the last colour.
BarState ChooseBar(int32_t value, int32_t maximum, palette::Colour baseColour,
                   const palette::Colour (&overflow)[kOverflowColours]);

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

// The 255 column colours (as COLORREF) of a gradient bitmap with split s:
// columns 0..s-1 run from the current colour toward the fade colour,
// columns s..254 from the track colour toward it, in 255 steps each.
std::array<uint32_t, kGradientWidth> GradientColumns(palette::Colour currentColour,
                                                     palette::Colour trackColour,
                                                     palette::Colour fadeColour, int split);

}  // namespace graph
