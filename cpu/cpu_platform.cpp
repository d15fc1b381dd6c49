#include "cpu/cpu_platform.h"

namespace cpu {

namespace {

// Constant-initialised, so a platform installed by another translation
// unit's static initialiser is never overwritten by this one's.
CpuPlatform* g_current = nullptr;

}  // namespace

CpuPlatform& CpuPlatform::Current() {
    if (g_current != nullptr)
        return *g_current;
    static NeutralCpuPlatform neutral;
    return neutral;
}

CpuPlatform* CpuPlatform::SetCurrent(CpuPlatform* platform) {
    CpuPlatform* previous = g_current;
    g_current = platform;
    return previous;
}

int CountProcessors(CpuPlatform& platform) {
    return static_cast<int>(platform.ProcessorCount());
}

}  // namespace cpu
