// Text conversion between the ANSI code page, UTF-8 and UTF-16, in one
// place for the program, the data-file store, the comparison and the tools.
// Portable: the platform's code page comes in through SystemAnsiCodec
// (text_codec_win32.cpp); on Windows the same conversions also come as the
// wide strings the W calls take.
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

namespace fw {

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

#ifdef _WIN32
// The Win32 layer's texts: the program's own texts (data file, clipboard
// text, report file) are bytes in the ANSI code page; the comparison's and
// the driver's are UTF-8, so that they carry every character whatever the
// code page. Japanese resource strings and literals are shown through the
// wide calls so that they read correctly whatever the system code page is.
std::wstring WidenAnsi(const std::string& ansi);
std::string NarrowAnsi(const std::wstring& wide);
std::wstring WidenUtf8(const std::string& utf8);
std::string NarrowUtf8(const std::wstring& wide);
#endif

}  // namespace fw
