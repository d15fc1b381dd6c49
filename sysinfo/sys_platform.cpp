#include "sysinfo/sys_platform.h"

namespace sysinfo {

namespace {

// Constant-initialised, so a platform installed by another translation
// unit's static initialiser is never overwritten by this one's.
SysPlatform* g_current = nullptr;

}  // namespace

SysPlatform& SysPlatform::Current() {
    if (g_current != nullptr)
        return *g_current;
    static NeutralSysPlatform neutral;
    return neutral;
}

SysPlatform* SysPlatform::SetCurrent(SysPlatform* platform) {
    SysPlatform* previous = g_current;
    g_current = platform;
    return previous;
}

}  // namespace sysinfo
