// The arithmetic of one graph bar: which colour and position a value shows,
// how much of the bar it fills, and the colour of each gradient column.
//
// Colours of the bar are read as 0x00RRGGBB (red in the high byte), the
// reverse of the platform's COLORREF order; ToColorRef turns one into the
// other when a pen is made.
#pragma once

#include <array>
#include <cstdint>

namespace graph {

constexpr int kGradientWidth = 255;
constexpr int kOverflowColours = 5;

struct BarState {
    uint32_t colour;   // the colour the bar gradient starts from
    int32_t position;  // what the next paint draws
};

// A value above the maximum starts the bar again from empty in overflow
// colour k = value / maximum - 1, capped at the last colour.
BarState ChooseBar(int32_t value, int32_t maximum, uint32_t baseColour,
                   const uint32_t (&overflow)[kOverflowColours]);

// The position a paint draws, clamped into minimum..maximum.
int32_t ClampPosition(int32_t position, int32_t minimum, int32_t maximum);

// Pixels of a bar `width` wide that the clamped position fills.
int FillWidth(int32_t position, int32_t maximum, int width);

uint32_t ToColorRef(uint32_t rgb);

// The 255 column colours (as COLORREF) of a gradient bitmap with split s:
// columns 0..s-1 run from the current colour toward the fade colour,
// columns s..254 from the track colour toward it, in 255 steps each.
std::array<uint32_t, kGradientWidth> GradientColumns(uint32_t currentColour, uint32_t trackColour,
                                                     uint32_t fadeColour, int split);

}  // namespace graph
