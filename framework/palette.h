// The program's colours: one colour type for every window, the graph and the
// comparison, and the named colours of the program. A colour is kept as its
// three channels, so it carries no byte order of its own: the platform's
// COLORREF (0x00BBGGRR) and the 0x00RRGGBB order that the graph's
// arithmetic and the comparison's HTML use are each made from it
// explicitly. Portable: no <windows.h>.
#pragma once

#include <cstdint>

namespace palette {

struct Colour {
    uint8_t red, green, blue;

    // From 0x00RRGGBB (red in the high byte, as HTML writes colours).
    static constexpr Colour FromRgb(uint32_t rrggbb) {
        return Colour{static_cast<uint8_t>(rrggbb >> 16), static_cast<uint8_t>(rrggbb >> 8),
                      static_cast<uint8_t>(rrggbb)};
    }
    // As 0x00RRGGBB.
    constexpr uint32_t Rgb() const {
        return static_cast<uint32_t>(red) << 16 | static_cast<uint32_t>(green) << 8 |
               static_cast<uint32_t>(blue);
    }
    // As the platform's COLORREF, 0x00BBGGRR: the one conversion for GDI.
    constexpr uint32_t ColorRef() const {
        return static_cast<uint32_t>(red) | static_cast<uint32_t>(green) << 8 |
               static_cast<uint32_t>(blue) << 16;
    }

    friend constexpr bool operator==(Colour a, Colour b) {
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    }
    friend constexpr bool operator!=(Colour a, Colour b) { return !(a == b); }
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
