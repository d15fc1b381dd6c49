#include "cpu/windows_version.h"

namespace cpu {

const char* WindowsVersionName(const OsVersionInfo& version) {
    switch (version.platformId) {
        case kPlatformWin32s:
            return "3.1";
        case kPlatformWindows: {
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
            if (version.majorVersion < 4)
                return "NT3.51";
            if (version.majorVersion == 4)
                return "NT4.0";
            return "2000";
        default:
            return "2000";
    }
}

int32_t PlatformFamily(const OsVersionInfo& version) {
    if (version.platformId == kPlatformWindows)
        return 1;
    if (version.platformId == kPlatformNt)
        return 2;
    return 0;
}

}  // namespace cpu
