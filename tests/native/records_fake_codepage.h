// A small stand-in for code page 932 in the data-file tests: its lead bytes,
// ASCII, and the few double-byte characters the tests use.
#pragma once

#include <string>
#include <string_view>

#include "framework/text_codec.h"

namespace records_test {

class FakeCodePage932 : public fw::AnsiCodec {
  public:
    bool IsLeadByte(unsigned char b) const override {
        return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    }

    std::u16string ToUtf16(std::string_view ansi) const override {
        std::u16string out;
        for (size_t i = 0; i < ansi.size(); ++i) {
            unsigned char b = static_cast<unsigned char>(ansi[i]);
            if (IsLeadByte(b) && i + 1 < ansi.size()) {
                unsigned code = (b << 8) | static_cast<unsigned char>(ansi[++i]);
                char16_t c = 0xFFFD;
                for (const Pair& p : kPairs)
                    if (p.ansi == code)
                        c = p.wide;
                out += c;
            } else {
                out += b < 0x80 ? static_cast<char16_t>(b) : char16_t{0xFFFD};
            }
        }
        return out;
    }

    std::string FromUtf16(std::u16string_view text) const override {
        std::string out;
        for (char16_t c : text) {
            if (c < 0x80) {
                out += static_cast<char>(c);
                continue;
            }
            std::string mapped = "?";
            for (const Pair& p : kPairs)
                if (p.wide == c)
                    mapped = {static_cast<char>(p.ansi >> 8), static_cast<char>(p.ansi)};
            out += mapped;
        }
        return out;
    }

  private:
    struct Pair {
        unsigned ansi;
        char16_t wide;
    };
    static constexpr Pair kPairs[] = {
        {0x82A0, 0x3042},  // あ
        {0x835C, 0x30BD},  // ソ, second byte '\'
        {0x835D, 0x30BE},  // ゾ, second byte ']'
        {0x8361, 0x30C2},  // ヂ, second byte 'a'
        {0x8341, 0x30A2},  // ア, second byte 'A'
        {0x8140, 0x3000},  // ideographic space
    };
};

}  // namespace records_test
