// Clock measurement (time-stamp counter against the performance counter),
// the Windows version text and the one-line summary of a processor record.

#include <cstdio>

#include "cpu/cpu_info.h"
#include "cpu/fixed_text.h"

namespace {

CCpuInfo::TscReading Split(uint64_t counter) {
    CCpuInfo::TscReading reading;
    reading.High = static_cast<uint32_t>(counter >> 32);
    reading.Low = static_cast<uint32_t>(counter);
    return reading;
}

// A reading in quarter cycles: exact in a double for every count below
// 2^55 cycles, which is years of uptime at present-day clocks.
double QuarterCycles(const CCpuInfo::TscReading& reading) {
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

void CCpuInfo::StartClock() {
    // Back to back, time-stamp counter first.
    TscStart = Split(m_pPlatform->ReadTimeStampCounter());
    QpcStart = m_pPlatform->ReadPerformanceCounter();
}

void CCpuInfo::StopClock() {
    TscEnd = Split(m_pPlatform->ReadTimeStampCounter());
    QpcEnd = m_pPlatform->ReadPerformanceCounter();
    ComputeFrequency();
}

double CCpuInfo::ComputeFrequency() {
    // QpcScale carries the factor 4 that turns quarter cycles back into
    // cycles and the 1e-6 that turns cycles per second into MHz.
    double cycles = QuarterCycles(TscEnd) - QuarterCycles(TscStart);
    double counts = static_cast<double>(QpcEnd) - static_cast<double>(QpcStart);
    Frequency = counts != 0.0 ? cycles * QpcScale / counts : 0.0;
    return Frequency;
}

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

std::string CCpuInfo::FormatWindowsVersion() {
    cpu::OsVersionInfo version = m_pPlatform->VersionInfo();
    char text[256];
    std::snprintf(text, sizeof text, "Windows%s %s(%d.%d.%d)",
                  cpu::WindowsVersionName(version).c_str(), version.csdVersion.c_str(),
                  static_cast<int>(version.majorVersion), static_cast<int>(version.minorVersion),
                  static_cast<int>(cpu::BuildOf(version)));
    return text;
}
