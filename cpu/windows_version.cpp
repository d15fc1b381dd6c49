#include "cpu/windows_version.h"

#include <cstdio>

#include "cpu/cpu_platform.h"

namespace cpu {

namespace {

// NT versions 5.0 to 6.3: one name for workstations, one for servers.
struct NtName {
    uint32_t major;
    uint32_t minor;
    const char* workstation;
    const char* server;
};

const NtName kNtNames[] = {
    {5, 0, "2000", "2000"},        {5, 1, "XP", "XP"},
    {5, 2, "XP", "Server2003"},  // 5.2 workstations are XP x64
    {6, 0, "Vista", "Server2008"}, {6, 1, "7", "Server2008R2"},
    {6, 2, "8", "Server2012"},     {6, 3, "8.1", "Server2012R2"},
};

// NT 10.0 is told apart by its build: the first build of each release.
constexpr uint32_t kFirstWindows11Build = 22000;
struct ServerRelease {
    uint32_t firstBuild;
    const char* name;
};
const ServerRelease kServer10Releases[] = {
    {26100, "Server2025"},
    {20348, "Server2022"},
    {17763, "Server2019"},
    {0, "Server2016"},
};

std::string NtVersionName(const OsVersionInfo& version) {
    if (version.majorVersion < 4)
        return "NT3.51";
    if (version.majorVersion == 4)
        return "NT4.0";
    bool workstation = version.productType == kProductWorkstation;
    for (const NtName& row : kNtNames) {
        if (row.major == version.majorVersion && row.minor == version.minorVersion)
            return workstation ? row.workstation : row.server;
    }
    if (version.majorVersion == 10 && version.minorVersion == 0) {
        uint32_t build = BuildOf(version);
        if (workstation)
            return build < kFirstWindows11Build ? "10" : "11";
        for (const ServerRelease& release : kServer10Releases) {
            if (build >= release.firstBuild)
                return release.name;
        }
    }
    char name[32];
    std::snprintf(name, sizeof name, "NT%u.%u", static_cast<unsigned>(version.majorVersion),
                  static_cast<unsigned>(version.minorVersion));
    return name;
}

}  // namespace

std::string WindowsVersionName(const OsVersionInfo& version) {
    switch (version.platformId) {
        case kPlatformWin32s:
            return "3.1";
        case kPlatformWindows: {
            // Windows Me is 4.90; its build (3000) would otherwise read as
            // the "2000" of the build thresholds below.
            if (version.minorVersion == 90)
                return "Me";
            // The 95 family keeps the build in the low word; the high word
            // holds the version numbers again.
            uint32_t build = BuildOf(version);
            if (build < 1998)
                return "95";
            if (build < 2000)
                return "98";
            return "2000";
        }
        case kPlatformNt:
            return NtVersionName(version);
        default:
            return "2000";
    }
}

std::string FormatWindowsVersion(const OsVersionInfo& version) {
    char text[256];
    std::snprintf(text, sizeof text, "Windows%s %s(%d.%d.%d)", WindowsVersionName(version).c_str(),
                  version.csdVersion.c_str(), static_cast<int>(version.majorVersion),
                  static_cast<int>(version.minorVersion), static_cast<int>(BuildOf(version)));
    return text;
}

std::string FormatWindowsVersion(CpuPlatform& platform) {
    return FormatWindowsVersion(platform.VersionInfo());
}

int32_t PlatformFamily(const OsVersionInfo& version) {
    if (version.platformId == kPlatformWindows)
        return 1;
    if (version.platformId == kPlatformNt)
        return 2;
    return 0;
}

}  // namespace cpu
