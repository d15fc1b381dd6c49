#include "tools/compare/cp932_codec.h"

#include <cerrno>
#include <stdexcept>

namespace compare_tool {

namespace {

const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);
constexpr size_t kFailed = static_cast<size_t>(-1);

iconv_t Open(const char* to, const char* from) {
    const iconv_t cd = iconv_open(to, from);
    if (cd == kNoDescriptor)
        throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    return cd;
}

bool IsTrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Runs cd over in, appending what it produces to out, and calls bad(in) at
// each input it cannot convert; bad returns how many bytes to skip, 0 to
// stop.
template <class Bad>
void Convert(iconv_t cd, std::string_view in, std::string& out, Bad bad) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* next = const_cast<char*>(in.data());
    size_t left = in.size();
    char chunk[1024];
    while (left > 0) {
        char* produced = chunk;
        size_t room = sizeof chunk;
        const size_t result = iconv(cd, &next, &left, &produced, &room);
        const int error = errno;
        out.append(chunk, produced);
        if (result != kFailed || error == E2BIG)
            continue;
        const size_t skip = bad(std::string_view(next, left));
        if (skip == 0 || error == EINVAL)
            break;  // an incomplete character at the end
        next += skip;
        left -= skip;
    }
}

}  // namespace

Cp932Codec::Cp932Codec() : toUtf16_(Open("UTF-16LE", "CP932")), fromUtf16_(kNoDescriptor) {
    try {
        fromUtf16_ = Open("CP932", "UTF-16LE");
    } catch (...) {
        iconv_close(toUtf16_);
        throw;
    }
}

Cp932Codec::~Cp932Codec() {
    iconv_close(toUtf16_);
    iconv_close(fromUtf16_);
}

bool Cp932Codec::IsLeadByte(unsigned char byte) const {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::u16string Cp932Codec::ToUtf16(std::string_view ansi) const {
    std::string bytes;
    std::u16string text;
    auto flush = [&] {
        for (size_t i = 0; i + 1 < bytes.size(); i += 2)
            text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          static_cast<unsigned char>(bytes[i + 1]) << 8);
        bytes.clear();
    };
    Convert(toUtf16_, ansi, bytes, [&](std::string_view rest) -> size_t {
        flush();
        text += u'\uFFFD';
        // A lead byte with a trail byte is one unknown character, not two.
        const auto first = static_cast<unsigned char>(rest[0]);
        return rest.size() >= 2 && IsLeadByte(first) &&
                       IsTrailByte(static_cast<unsigned char>(rest[1]))
                   ? 2
                   : 1;
    });
    flush();
    return text;
}

std::string Cp932Codec::FromUtf16(std::u16string_view text) const {
    std::string units;
    units.reserve(text.size() * 2);
    for (char16_t unit : text) {
        units += static_cast<char>(unit & 0xFF);
        units += static_cast<char>(unit >> 8);
    }
    std::string ansi;
    Convert(fromUtf16_, units, ansi, [&](std::string_view rest) -> size_t {
        ansi += '?';
        if (rest.size() < 2)
            return 0;
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(rest[0]) |
                                                static_cast<unsigned char>(rest[1]) << 8);
        const bool pair =
            rest.size() >= 4 && IsHighSurrogate(unit) &&
            IsLowSurrogate(static_cast<char16_t>(static_cast<unsigned char>(rest[2]) |
                                                 static_cast<unsigned char>(rest[3]) << 8));
        return pair ? 4 : 2;
    });
    return ansi;
}

}  // namespace compare_tool
