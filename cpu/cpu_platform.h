// What the processor record needs from the machine it runs on: the CPUID
// instruction, the two counters of the clock measurement, the Windows version
// and the processor count.
//
// The record reads the machine only through this interface, so the probe,
// the naming and the clock arithmetic run natively against recorded CPUID
// dumps and made-up counter readings. The Windows build installs the real
// platform (cpu_platform_win32.cpp) as the process-wide one before main runs;
// elsewhere the process-wide platform is a neutral one that has no CPUID,
// counters that stand at 0 and an empty version, until a test installs its
// own.
#pragma once

#include <cstdint>

#include "cpu/windows_version.h"

// The 64-bit Windows headers make ReadTimeStampCounter a macro for __rdtsc,
// which would rename the member below wherever they come first.
#ifdef ReadTimeStampCounter
#undef ReadTimeStampCounter
#endif

namespace cpu {

// The four registers one CPUID leaf answers.
struct CpuidResult {
    uint32_t eax = 0;
    uint32_t ebx = 0;
    uint32_t ecx = 0;
    uint32_t edx = 0;
};

class CpuPlatform {
  public:
    virtual ~CpuPlatform() = default;

    // True when the processor executes CPUID (the ID bit of EFLAGS can be
    // toggled).
    virtual bool CpuidAvailable() = 0;
    // One CPUID leaf, sub-leaf 0.
    virtual CpuidResult Cpuid(uint32_t leaf) = 0;
    // One sub-leaf of a leaf that has them (the deterministic cache leaf 4).
    // A platform that knows only sub-leaf 0 answers zeros for the others,
    // which reads as "no further sub-leaves".
    virtual CpuidResult CpuidSubLeaf(uint32_t leaf, uint32_t subLeaf) {
        return subLeaf == 0 ? Cpuid(leaf) : CpuidResult();
    }
    // RDTSC.
    virtual uint64_t ReadTimeStampCounter() = 0;
    // QueryPerformanceCounter and QueryPerformanceFrequency (counts per
    // second).
    virtual int64_t ReadPerformanceCounter() = 0;
    virtual int64_t PerformanceFrequency() = 0;
    // GetVersionExA.
    virtual OsVersionInfo VersionInfo() = 0;
    // dwNumberOfProcessors of GetSystemInfo.
    virtual uint32_t ProcessorCount() = 0;

    // The platform that default-constructed records use.
    static CpuPlatform& Current();
    // Installs a platform as the process-wide one (nullptr: the neutral one)
    // and returns the one it replaces. The caller keeps ownership.
    static CpuPlatform* SetCurrent(CpuPlatform* platform);
};

// The number of processors the platform reports (dwNumberOfProcessors).
int CountProcessors(CpuPlatform& platform);

// No CPUID, counters at 0, empty version, one processor.
class NeutralCpuPlatform : public CpuPlatform {
  public:
    bool CpuidAvailable() override { return false; }
    CpuidResult Cpuid(uint32_t) override { return {}; }
    uint64_t ReadTimeStampCounter() override { return 0; }
    int64_t ReadPerformanceCounter() override { return 0; }
    int64_t PerformanceFrequency() override { return 0; }
    OsVersionInfo VersionInfo() override { return {}; }
    uint32_t ProcessorCount() override { return 1; }
};

// Installs a platform for the lifetime of the object and then puts the
// previous one back.
class ScopedCpuPlatform {
  public:
    explicit ScopedCpuPlatform(CpuPlatform& platform)
        : m_pPrevious(CpuPlatform::SetCurrent(&platform)) {}
    ~ScopedCpuPlatform() { CpuPlatform::SetCurrent(m_pPrevious); }
    ScopedCpuPlatform(const ScopedCpuPlatform&) = delete;
    ScopedCpuPlatform& operator=(const ScopedCpuPlatform&) = delete;

  private:
    CpuPlatform* m_pPrevious;
};

}  // namespace cpu
