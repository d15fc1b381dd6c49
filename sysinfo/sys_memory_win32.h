// How the installed physical memory is read, with the extended call passed
// in so that tests can stand in for a system that lacks it.
#pragma once

#include <windows.h>

#include <cstdint>

namespace sysinfo {

using GlobalMemoryStatusExProc = BOOL(WINAPI*)(MEMORYSTATUSEX*);

// GlobalMemoryStatusEx of the running kernel, looked up by name because
// Windows 95, 98 and NT 4.0 do not have it; nullptr there.
GlobalMemoryStatusExProc FindGlobalMemoryStatusEx();

// Total physical memory in bytes from memoryStatusEx when it is given and
// succeeds, otherwise from GlobalMemoryStatus (32-byte structure).
uint64_t TotalPhysicalBytes(GlobalMemoryStatusExProc memoryStatusEx);

}  // namespace sysinfo
