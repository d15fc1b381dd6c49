// The version information Windows reports and the version names that the
// processor record and the system record show for it.
#pragma once

#include <cstdint>
#include <string>

namespace cpu {

class CpuPlatform;

// dwPlatformId values of GetVersionExA.
constexpr uint32_t kPlatformWin32s = 0;
constexpr uint32_t kPlatformWindows = 1;  // the Windows 95/98 family
constexpr uint32_t kPlatformNt = 2;

// wProductType values of OSVERSIONINFOEXA: a workstation, or one of the two
// kinds of server.
constexpr uint32_t kProductWorkstation = 1;
constexpr uint32_t kProductDomainController = 2;
constexpr uint32_t kProductServer = 3;

// The fields of OSVERSIONINFOEXA that the program reads.
struct OsVersionInfo {
    uint32_t majorVersion = 0;
    uint32_t minorVersion = 0;
    uint32_t buildNumber = 0;  // on the 95 family only the low 16 bits are the build
    uint32_t platformId = kPlatformWin32s;
    std::string csdVersion;  // service-pack text, possibly empty
    // A system that cannot fill the extended structure counts as a
    // workstation.
    uint32_t productType = kProductWorkstation;
};

// The build number as the version texts show it: its low 16 bits.
inline uint32_t BuildOf(const OsVersionInfo& version) {
    return version.buildNumber & 0xFFFF;
}

// "3.1", "95", "98", "Me", "NT3.51", "NT4.0", "2000", "XP", ... "11",
// "Server2003" ... "Server2025", or "NT" with major and minor version for an
// NT version newer than the names known here.
std::string WindowsVersionName(const OsVersionInfo& version);

// "Windows%s %s(%d.%d.%d)": the version name, the service-pack text, the
// major and minor version and the build.
std::string FormatWindowsVersion(const OsVersionInfo& version);
// The same for the Windows the platform reports.
std::string FormatWindowsVersion(CpuPlatform& platform);

// The platform family that selects the benchmark's reference column: 1 for
// the 95 family, 2 for NT, 0 for Win32s and anything unrecognised.
int32_t PlatformFamily(const OsVersionInfo& version);

// The running Windows' version (GetVersionExA with the extended structure,
// or the 148-byte one where the system refuses that); Windows build only. An
// empty record when both calls fail.
OsVersionInfo QueryRunningWindowsVersion();

}  // namespace cpu
