// Clock measurement (time-stamp counter against the performance counter)
// and the one-line summary of a processor record.

#include "cpu/cpu_clock.h"

#include <cstdio>

#include "cpu/cpu_info.h"
#include "cpu/fixed_text.h"

namespace {

cpu::TscReading Split(uint64_t counter) {
    cpu::TscReading reading;
    reading.High = static_cast<uint32_t>(counter >> 32);
    reading.Low = static_cast<uint32_t>(counter);
    return reading;
}

// A reading in quarter cycles: exact in a double for every count below
// 2^55 cycles, which is years of uptime at present-day clocks.
double QuarterCycles(const cpu::TscReading& reading) {
    return static_cast<double>(reading.High) * 1073741824.0 + static_cast<double>(reading.Low >> 2);
}

// The whole megahertz shown for a frequency: halves go up. Values no int
// can hold (from an edited data file) are pinned to its range.
int WholeMegahertz(double frequency) {
    double rounded = frequency + 0.5;
    if (!(rounded == rounded))
        return 0;
    if (rounded >= 2147483647.0)
        return 2147483647;
    if (rounded <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<int>(rounded);
}

}  // namespace

namespace cpu {

TscClock::TscClock(CpuPlatform& platform)
    : m_qpcScale(static_cast<double>(platform.PerformanceFrequency()) * 4e-6) {}

void TscClock::Start(CpuPlatform& platform) {
    m_tscStart = Split(platform.ReadTimeStampCounter());
    m_qpcStart = platform.ReadPerformanceCounter();
}

double TscClock::Stop(CpuPlatform& platform) {
    m_tscEnd = Split(platform.ReadTimeStampCounter());
    m_qpcEnd = platform.ReadPerformanceCounter();
    return Megahertz();
}

double TscClock::Megahertz() const {
    // m_qpcScale carries the factor 4 that turns quarter cycles back into
    // cycles and the 1e-6 that turns cycles per second into MHz.
    double cycles = QuarterCycles(m_tscEnd) - QuarterCycles(m_tscStart);
    double counts = static_cast<double>(m_qpcEnd) - static_cast<double>(m_qpcStart);
    return counts != 0.0 ? cycles * m_qpcScale / counts : 0.0;
}

}  // namespace cpu

std::string CCpuInfo::SummaryText() const {
    // "AMD-(Unknown) Processor" says nothing of a present-day processor; its
    // brand string, kept as the code name, does.
    std::string name = cpu::FixedText(ProcessorName);
    std::string codeName = cpu::FixedText(CodeName);
    if (IsUnknownName(name) && !codeName.empty())
        name = codeName;
    char megahertz[32];
    std::snprintf(megahertz, sizeof megahertz, " at %dMHz", WholeMegahertz(Frequency));
    return name + megahertz;
}
