// The probe of the running processor: it reads CPUID and the time-stamp
// clock on a platform and fills a processor record with what it finds. The
// record itself stays plain data; only the probe knows the machine.
#pragma once

#include <cstdint>

#include "cpu/cpu_clock.h"
#include "cpu/cpu_info.h"
#include "cpu/cpu_platform.h"

namespace cpu {

class ProcessorProbe {
  public:
    // Counts the processors, takes the performance-counter rate and the
    // Windows version, starts the clock and tests for CPUID, all on the
    // process-wide platform (or the one given), into the record. It does
    // not probe.
    ProcessorProbe();
    explicit ProcessorProbe(CpuPlatform& platform);
    ProcessorProbe(const ProcessorProbe&) = delete;
    ProcessorProbe& operator=(const ProcessorProbe&) = delete;

    // Reads the CPUID leaves of the vendor's path into the record, names it
    // and fills the feature table. Returns 0 and changes nothing when the
    // processor has no CPUID, else 1.
    int ProbeProcessor();
    // 1 when the processor executes CPUID, else 0.
    int CpuidSupported();
    // Takes the clock's end readings and stores its figure in the record's
    // Frequency; every call measures from the start the constructor took.
    void StopClock();

    const CCpuInfo& Record() const { return m_record; }
    const TscClock& Clock() const { return m_clock; }

  private:
    CpuPlatform& m_platform;
    CCpuInfo m_record;
    TscClock m_clock;
};

// Sets the record's OsVersionText to the running Windows' version, for a
// record loaded from the data file whose report names the Windows it is
// written on.
void TakeRunningWindowsVersion(CCpuInfo& record);
void TakeRunningWindowsVersion(CCpuInfo& record, CpuPlatform& platform);

}  // namespace cpu
