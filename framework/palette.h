// The program's named colours, one table for every window. A colour is kept
// as its three channels, so it carries no byte order of its own: the
// platform's COLORREF (0x00BBGGRR) and the graph's order (0x00RRGGBB,
// graph::Rgb) are each made from it explicitly. Portable: no <windows.h>.
#pragma once

#include <cstdint>

namespace palette {

struct Colour {
    uint8_t red, green, blue;

    // As the platform's COLORREF, 0x00BBGGRR.
    constexpr uint32_t ColorRef() const {
        return static_cast<uint32_t>(red) | static_cast<uint32_t>(green) << 8 |
               static_cast<uint32_t>(blue) << 16;
    }
};

constexpr Colour kBlack{0x00, 0x00, 0x00};
constexpr Colour kWhite{0xFF, 0xFF, 0xFF};
constexpr Colour kGrey{0x7F, 0x7F, 0x7F};
constexpr Colour kRed{0xFF, 0x00, 0x00};
constexpr Colour kGreen{0x00, 0xFF, 0x00};
constexpr Colour kBlue{0x00, 0x00, 0xFF};
constexpr Colour kYellow{0xFF, 0xFF, 0x00};
constexpr Colour kCyan{0x00, 0xFF, 0xFF};
constexpr Colour kMagenta{0xFF, 0x00, 0xFF};
constexpr Colour kViolet{0x7F, 0x00, 0xFF};
constexpr Colour kRose{0xFF, 0x00, 0x7F};

}  // namespace palette
