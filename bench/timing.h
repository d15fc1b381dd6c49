// Timing arithmetic of the benchmark: elapsed ticks, normalised time and the
// loop count's range.
#pragma once

#include <cstdint>

namespace bench {

constexpr int32_t kDefaultLoop = 10000;
constexpr int32_t kMinLoop = 5000;
constexpr int32_t kMaxLoop = 50000;

// Milliseconds between two readings of the 32-bit tick counter; modular, so a
// wrap of the counter between the readings still gives the true difference.
inline uint32_t ElapsedTicks(uint32_t start, uint32_t end) {
    return end - start;
}

// The seconds the measured work would have taken at the default loop count:
// elapsed * 10000 / (N * 1000), in floating point.
double NormalizedTime(uint32_t elapsedMs, int32_t loop);

// 5000 below the range, 50000 above it, n otherwise.
int32_t ClampLoopCount(int32_t n);

}  // namespace bench
