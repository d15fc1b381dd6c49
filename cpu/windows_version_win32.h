// How the running Windows' version is read, with the version call passed
// in so that tests can stand in for a system that refuses the extended
// structure.
#pragma once

#include <windows.h>

#include "cpu/windows_version.h"

namespace cpu {

using GetVersionExProc = BOOL(WINAPI*)(OSVERSIONINFOA*);

// Asks getVersionEx with OSVERSIONINFOEXA first, for wProductType; a system
// that refuses that size (the 95 family, NT 4.0 before SP6) is asked again
// with the 148-byte OSVERSIONINFOA and counts as a workstation. An empty
// record when both calls fail.
OsVersionInfo QueryWindowsVersion(GetVersionExProc getVersionEx);

}  // namespace cpu
