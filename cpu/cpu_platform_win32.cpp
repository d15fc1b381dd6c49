// The running machine as the processor record sees it.

#include <windows.h>

#include <cpuid.h>
#include <x86intrin.h>

#include <cstring>

#include "cpu/cpu_platform.h"
#include "cpu/windows_version_win32.h"

namespace cpu {

namespace {

constexpr uint32_t kEflagsId = 0x200000;  // bit 21: toggleable when CPUID exists
constexpr uint32_t kFeatureTsc = 0x10;    // leaf 1 EDX bit 4

class Win32CpuPlatform : public CpuPlatform {
  public:
    bool CpuidAvailable() override {
#if defined(__i386__)
        // Invert the ID bit, write the flags back and see whether the change
        // held; then put the original flags back.
        uint32_t before;
        uint32_t after;
        __asm__ volatile(
            "pushfl\n\t"
            "popl %0\n\t"
            "movl %0, %1\n\t"
            "xorl %2, %1\n\t"
            "pushl %1\n\t"
            "popfl\n\t"
            "pushfl\n\t"
            "popl %1\n\t"
            "pushl %0\n\t"
            "popfl"
            : "=&r"(before), "=&r"(after)
            : "i"(kEflagsId)
            : "cc");
        return ((before ^ after) & kEflagsId) != 0;
#else
        return true;  // every x86-64 processor has CPUID
#endif
    }

    CpuidResult Cpuid(uint32_t leaf) override {
        return CpuidSubLeaf(leaf, 0);
    }

    CpuidResult CpuidSubLeaf(uint32_t leaf, uint32_t subLeaf) override {
        CpuidResult r;
        __cpuid_count(leaf, subLeaf, r.eax, r.ebx, r.ecx, r.edx);
        return r;
    }

    // A processor without a time-stamp counter (before the Pentium) would
    // fault on RDTSC; its readings stay 0, so its frequency reads 0.
    uint64_t ReadTimeStampCounter() override {
        return HasTimeStampCounter() ? __rdtsc() : 0;
    }

    int64_t ReadPerformanceCounter() override {
        LARGE_INTEGER count;
        if (!QueryPerformanceCounter(&count))
            return 0;
        return count.QuadPart;
    }

    int64_t PerformanceFrequency() override {
        LARGE_INTEGER frequency;
        if (!QueryPerformanceFrequency(&frequency))
            return 0;
        return frequency.QuadPart;
    }

    OsVersionInfo VersionInfo() override {
        return QueryRunningWindowsVersion();
    }

    uint32_t ProcessorCount() override {
        SYSTEM_INFO info;
        std::memset(&info, 0, sizeof info);
        GetSystemInfo(&info);
        return info.dwNumberOfProcessors;
    }

    bool HasTimeStampCounter() {
        if (m_tscKnown == 0) {
            bool present = CpuidAvailable() && Cpuid(0).eax >= 1 && (Cpuid(1).edx & kFeatureTsc);
            m_tscKnown = present ? 1 : -1;
        }
        return m_tscKnown > 0;
    }

  private:
    int m_tscKnown = 0;  // 0 not yet asked, 1 present, -1 absent
};

static_assert(sizeof(OSVERSIONINFOA) == 148, "the structure every Windows accepts");
static_assert(sizeof(OSVERSIONINFOEXA) == 156, "the structure that adds wProductType");

Win32CpuPlatform g_win32Platform;

// The Windows program and its tests link this file as an object of its own
// (not from an archive), so this runs before main in every one of them and
// default-constructed records read the real machine.
const bool g_installed = (CpuPlatform::SetCurrent(&g_win32Platform), true);

}  // namespace

OsVersionInfo QueryWindowsVersion(GetVersionExProc getVersionEx) {
    OSVERSIONINFOEXA raw;
    std::memset(&raw, 0, sizeof raw);
    raw.dwOSVersionInfoSize = sizeof raw;
    OsVersionInfo version;
    OSVERSIONINFOA* basic = reinterpret_cast<OSVERSIONINFOA*>(&raw);
    if (getVersionEx(basic)) {
        if (raw.wProductType != 0)
            version.productType = raw.wProductType;
    } else {
        std::memset(&raw, 0, sizeof raw);
        raw.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!getVersionEx(basic))
            return version;
    }
    version.majorVersion = raw.dwMajorVersion;
    version.minorVersion = raw.dwMinorVersion;
    version.buildNumber = raw.dwBuildNumber;
    version.platformId = raw.dwPlatformId;
    version.csdVersion.assign(raw.szCSDVersion, strnlen(raw.szCSDVersion, sizeof raw.szCSDVersion));
    return version;
}

OsVersionInfo QueryRunningWindowsVersion() {
    return QueryWindowsVersion(GetVersionExA);
}

}  // namespace cpu
