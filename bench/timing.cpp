#include "bench/timing.h"

namespace bench {

double NormalizedTime(uint32_t elapsedMs, int32_t loop) {
    // The loops use N unsigned; so does the divisor.
    return static_cast<double>(elapsedMs) * 10000.0 /
           (static_cast<double>(static_cast<uint32_t>(loop)) * 1000.0);
}

int32_t ClampLoopCount(int32_t n) {
    if (n < kMinLoop)
        return kMinLoop;
    if (n > kMaxLoop)
        return kMaxLoop;
    return n;
}

}  // namespace bench
