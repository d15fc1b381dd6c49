// Code page 932 (Japanese Windows' ANSI code page) on a system without it:
// the data files that velkora-compare reads were written on Windows, and
// their names and machine texts are CP932 bytes unless the file starts with
// a Unicode byte-order mark. The conversions go through glibc's iconv.
#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

#include "framework/text_codec.h"

namespace compare_tool {

class Cp932Codec : public fw::AnsiCodec {
  public:
    // Throws std::runtime_error when iconv has no CP932.
    Cp932Codec();
    ~Cp932Codec() override;
    Cp932Codec(const Cp932Codec&) = delete;
    Cp932Codec& operator=(const Cp932Codec&) = delete;

    // 0x81-0x9F and 0xE0-0xFC start a double-byte character.
    bool IsLeadByte(unsigned char byte) const override;
    // Bytes that are no CP932 character become U+FFFD, one per character.
    std::u16string ToUtf16(std::string_view ansi) const override;
    // Characters that CP932 lacks (and unpaired surrogates) become '?'.
    std::string FromUtf16(std::u16string_view text) const override;

  private:
    // Each conversion starts by resetting its descriptor, so a const codec
    // may use them; not thread-safe.
    iconv_t toUtf16_;
    iconv_t fromUtf16_;
};

}  // namespace compare_tool
