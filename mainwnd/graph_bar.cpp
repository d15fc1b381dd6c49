#include "mainwnd/graph_bar.h"

#include <cstddef>

namespace graph {

BarState ChooseBar(int32_t value, int32_t maximum, Rgb baseColour,
                   const Rgb (&overflow)[kOverflowColours]) {
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

uint32_t ToColorRef(Rgb colour) {
    const uint32_t rgb = colour.value;
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

namespace {

// One run of columns from `from` toward `to`, channel by channel in single
// precision, each column's pen taking the channels cut to integers.
void Run(Rgb from, Rgb to, int first, int last, std::array<uint32_t, kGradientWidth>& columns) {
    float channel[3], step[3];
    for (int c = 0; c < 3; ++c) {
        const int shift = 16 - 8 * c;  // red, green, blue
        const int start = static_cast<int>((from.value >> shift) & 0xFF);
        const int end = static_cast<int>((to.value >> shift) & 0xFF);
        channel[c] = static_cast<float>(start);
        step[c] = static_cast<float>(end - start) / kGradientWidth;
    }
    for (int x = first; x < last; ++x) {
        uint32_t rgb = 0;
        for (int c = 0; c < 3; ++c)
            rgb |= static_cast<uint32_t>(channel[c]) << (16 - 8 * c);
        columns[static_cast<size_t>(x)] = ToColorRef(Rgb(rgb));
        for (int c = 0; c < 3; ++c)
            channel[c] += step[c];
    }
}

}  // namespace

std::array<uint32_t, kGradientWidth> GradientColumns(Rgb currentColour, Rgb trackColour,
                                                     Rgb fadeColour, int split) {
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
