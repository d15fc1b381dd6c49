#include "bench/option_values.h"

#include <limits>

#include "bench/timing.h"

namespace bench {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

int32_t ParseLeadingInt(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulated as a magnitude that stops growing past the 32-bit range.
    const int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    if (negative)
        return static_cast<int32_t>(-magnitude);
    return magnitude >= limit ? std::numeric_limits<int32_t>::max()
                              : static_cast<int32_t>(magnitude);
}

int32_t ClampGraphMax(int32_t n) {
    if (n < kMinGraphMax)
        return kMinGraphMax;
    if (n > kMaxGraphMax)
        return kMaxGraphMax;
    return n;
}

int32_t LoopCountFromText(const std::string& text) {
    return ClampLoopCount(ParseLeadingInt(text));
}

int32_t GraphMaxFromText(const std::string& text) {
    return ClampGraphMax(ParseLeadingInt(text));
}

}  // namespace bench
