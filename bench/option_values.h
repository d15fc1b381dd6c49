// The two settings of the options dialog as the user types them: the loop
// count and the graph maximum. A text is read leniently (its leading digits,
// like the C library's atoi; no digits read as 0) and the number is then
// clamped to its range, so nothing the user types is refused for its value;
// only a text longer than the box allows is.
#pragma once

#include <cstdint>
#include <string>

namespace bench {

// The longest text either box accepts.
constexpr int kOptionMaxChars = 5;

constexpr int32_t kDefaultGraphMax = 3000;
constexpr int32_t kMinGraphMax = 2000;
constexpr int32_t kMaxGraphMax = 20000;

// The boxes' lists, in order.
constexpr const char* kLoopChoices[] = {"5000", "10000", "20000", "40000"};
constexpr const char* kGraphChoices[] = {"2000", "3000", "5000", "8000", "10000", "15000", "20000"};
constexpr const char* kRoundChoices[] = {"1", "3", "5", "7", "9"};

// Leading blanks, an optional sign and the decimal digits that follow; 0
// when there are none. A number beyond the 32-bit range saturates.
int32_t ParseLeadingInt(const std::string& text);

// 2000 below the range, 20000 above it, n otherwise.
int32_t ClampGraphMax(int32_t n);

int32_t LoopCountFromText(const std::string& text);
int32_t GraphMaxFromText(const std::string& text);

}  // namespace bench
