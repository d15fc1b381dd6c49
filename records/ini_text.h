// Text rules of the data-file store shared by its reader and its writer.
#pragma once

#include <string_view>

namespace records {

inline bool IsIniBlank(unsigned char c) {
    return c == ' ' || (c >= 0x09 && c <= 0x0D);
}

inline std::string_view TrimBlanks(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && IsIniBlank(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && IsIniBlank(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

// The program hands names and values over as C strings.
inline std::string_view AsCString(std::string_view s) {
    return s.substr(0, s.find('\0'));
}

}  // namespace records
