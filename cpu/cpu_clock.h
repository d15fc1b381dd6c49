// The clock measurement of the running processor: the time-stamp counter
// read against the performance counter, once at the start and once at the
// end. It keeps only the readings and the counter rate; the platform that
// gives them is passed to each reading, so a copy measures nothing of its own.
#pragma once

#include <cstdint>

#include "cpu/cpu_platform.h"

namespace cpu {

// A 64-bit time-stamp counter reading as its two 32-bit halves.
struct TscReading {
    uint32_t High = 0;
    uint32_t Low = 0;
};

class TscClock {
  public:
    // A clock that has read nothing: its frequency is 0.
    TscClock() = default;
    // Takes the performance-counter rate (counts per second); it does not
    // start.
    explicit TscClock(CpuPlatform& platform);

    // Back to back, time-stamp counter first.
    void Start(CpuPlatform& platform);
    // Takes the end readings and returns MHz; every call measures from the
    // same start.
    double Stop(CpuPlatform& platform);
    // MHz from the four readings. A performance-counter interval of 0 (no
    // counter, or no time between the readings) gives 0.
    double Megahertz() const;

    TscReading TscStart() const { return m_tscStart; }
    TscReading TscEnd() const { return m_tscEnd; }
    int64_t QpcStart() const { return m_qpcStart; }
    int64_t QpcEnd() const { return m_qpcEnd; }
    double QpcScale() const { return m_qpcScale; }

  private:
    TscReading m_tscStart;
    TscReading m_tscEnd;
    int64_t m_qpcStart = 0;
    int64_t m_qpcEnd = 0;
    double m_qpcScale = 0.0;  // performance-counter counts per second * 4e-6
};

}  // namespace cpu
