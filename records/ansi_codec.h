// The system ANSI code page as the data-file store needs it.
//
// The data file is bytes in the ANSI code page (932 on Japanese Windows).
// The store has to know which bytes start a double-byte character, so that a
// cut never splits one and a trail byte that happens to equal ']' or a
// letter is not taken for one. A file that starts with a Unicode byte-order
// mark is held in UTF-8 inside the store; names and values cross between it
// and the program's ANSI texts through UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace records {

class AnsiCodec {
  public:
    virtual ~AnsiCodec() = default;
    virtual bool IsLeadByte(unsigned char byte) const = 0;
    // Characters without a counterpart become '?' (to ANSI) or U+FFFD (to
    // UTF-16).
    virtual std::u16string ToUtf16(std::string_view ansi) const = 0;
    virtual std::string FromUtf16(std::u16string_view text) const = 0;
};

// The running system's code page: CP_ACP on Windows. Elsewhere UTF-8 stands
// in for it (no byte is a lead byte of a double-byte character).
const AnsiCodec& SystemAnsiCodec();

// UTF-8 as a code page; the native stand-in.
class Utf8Codec : public AnsiCodec {
  public:
    bool IsLeadByte(unsigned char) const override { return false; }
    std::u16string ToUtf16(std::string_view ansi) const override;
    std::string FromUtf16(std::u16string_view text) const override;
};

// UTF-16 <-> UTF-8. An unpaired surrogate is written as its own three-byte
// sequence and read back as that unit, so any sequence of 16-bit units
// survives the round trip unchanged. Other malformed UTF-8 reads as U+FFFD
// per bad byte.
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

}  // namespace records
