#include "mainwnd/graph_bar.h"

#include <cstddef>

namespace graph {

BarState ChooseBar(int32_t value, int32_t maximum, palette::Colour baseColour,
                   const palette::Colour (&overflow)[kOverflowColours]) {
    // A maximum of 0 is never set by the program; it must not divide.
    if (maximum > 0 && value > maximum) {
        int32_t k = value / maximum - 1;
        if (k >= kOverflowColours)
            k = kOverflowColours - 1;
        return {overflow[k], value % maximum};
    }
    return {baseColour, value};
}

int32_t ClampPosition(int32_t position, int32_t minimum, int32_t maximum) {
    if (position <= minimum)
        return minimum;
    if (position >= maximum)
        return maximum;
    return position;
}

int FillWidth(int32_t position, int32_t maximum, int width) {
    if (maximum == 0)
        return 0;
    return static_cast<int>(static_cast<double>(position) / maximum * width);
}

Span RangeOnBar(int32_t low, int32_t high, int32_t value, int32_t maximum) {
    // As ChooseBar counts: up to the maximum the first band, past it one
    // band per maximum, the position what is left over.
    auto band = [maximum](int32_t v) { return maximum > 0 && v > maximum ? v / maximum : 0; };
    auto place = [&](int32_t v) {
        const int32_t b = band(v), shown = band(value);
        if (b < shown)
            return 0;
        if (b > shown)
            return maximum;
        return b > 0 ? v % maximum : v;
    };
    return {place(low), place(high)};
}

namespace {

// One run of columns from `from` toward `to`, channel by channel in single
// precision, each column's pen taking the channels cut to integers.
void Run(palette::Colour from, palette::Colour to, int first, int last,
         std::array<uint32_t, kGradientWidth>& columns) {
    const uint8_t starts[3] = {from.red, from.green, from.blue};
    const uint8_t ends[3] = {to.red, to.green, to.blue};
    float channel[3], step[3];
    for (int c = 0; c < 3; ++c) {
        channel[c] = static_cast<float>(starts[c]);
        step[c] = static_cast<float>(ends[c] - starts[c]) / kGradientWidth;
    }
    for (int x = first; x < last; ++x) {
        const palette::Colour column{static_cast<uint8_t>(channel[0]),
                                     static_cast<uint8_t>(channel[1]),
                                     static_cast<uint8_t>(channel[2])};
        columns[static_cast<size_t>(x)] = column.ColorRef();
        for (int c = 0; c < 3; ++c)
            channel[c] += step[c];
    }
}

}  // namespace

std::array<uint32_t, kGradientWidth> GradientColumns(palette::Colour currentColour,
                                                     palette::Colour trackColour,
                                                     palette::Colour fadeColour, int split) {
    std::array<uint32_t, kGradientWidth> columns{};
    if (split < 0)
        split = 0;
    if (split > kGradientWidth)
        split = kGradientWidth;
    Run(trackColour, fadeColour, split, kGradientWidth, columns);
    Run(currentColour, fadeColour, 0, split, columns);
    return columns;
}

}  // namespace graph
