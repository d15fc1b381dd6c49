// Text in fixed character arrays (the record's name fields). Every operation
// is bounded by the array: an array that lacks its terminator reads as its
// full length, and a text that does not fit is cut, never overrun.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>

namespace cpu {

template <size_t N>
std::string FixedText(const char (&array)[N]) {
    const void* end = std::memchr(array, '\0', N);
    size_t length = end ? static_cast<size_t>(static_cast<const char*>(end) - array) : N;
    return std::string(array, length);
}

// Copies up to N - 1 characters of text (of the given length) and fills the
// rest of the array with NULs, so nothing of an earlier text stays behind.
template <size_t N>
void CopyFixed(char (&array)[N], const char* text, size_t length) {
    if (length > N - 1)
        length = N - 1;
    std::memmove(array, text, length);
    std::memset(array + length, 0, N - length);
}

template <size_t N>
void CopyFixed(char (&array)[N], const std::string& text) {
    CopyFixed(array, text.data(), text.size());
}

// Appends as much of text as fits behind the array's current text.
template <size_t N>
void AppendFixed(char (&array)[N], const char* text) {
    std::string joined = FixedText(array);
    joined += text;
    CopyFixed(array, joined);
}

}  // namespace cpu
