#!/usr/bin/env python3
"""Writes release/xp-exports.txt, the functions Windows XP SP3 exports by
name from the DLLs the shipped programs link, from facts the toolchain
publishes (see the header written below). Run it again after adding a DLL
to the link or changing the toolchain, and review the difference:

    release/make_xp_exports.py > release/xp-exports.txt"""

import re
import subprocess
import sys
import textwrap

TRIPLET = "i686-w64-mingw32"
# The import library of each DLL the programs link.
LIBRARIES = {
    "advapi32.dll": "libadvapi32.a",
    "comctl32.dll": "libcomctl32.a",
    "comdlg32.dll": "libcomdlg32.a",
    "gdi32.dll": "libgdi32.a",
    "kernel32.dll": "libkernel32.a",
    "msvcrt.dll": "libmsvcrt.a",
    "psapi.dll": "libpsapi.a",
    "shell32.dll": "libshell32.a",
    "user32.dll": "libuser32.a",
}
HEADERS = """
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <psapi.h>
#include <assert.h>
#include <ctype.h>
#include <errno.h>
#include <fcntl.h>
#include <float.h>
#include <io.h>
#include <locale.h>
#include <malloc.h>
#include <math.h>
#include <process.h>
#include <setjmp.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <wchar.h>
"""
# Windows XP: _WIN32_WINNT and WINVER 0x0501; Internet Explorer 6, which XP
# ships, for the shell and common-control declarations; msvcrt.dll 7.0,
# XP's C runtime, with the secure "_s" functions (Visual C++ 2005, later
# than XP) left out.
XP = ["-D_WIN32_WINNT=0x0501", "-DWINVER=0x0501", "-D_WIN32_IE=0x0600",
      "-D__MSVCRT_VERSION__=0x0700", "-DMINGW_HAS_SECURE_API=0", "-DPSAPI_VERSION=1"]

# What the headers do not declare but the mingw-w64 runtime's start-up code
# and libraries import from msvcrt.dll. Each is in the C run-time reference
# of Visual C++ 6.0, whose msvcrt.dll Windows 2000 already carries, and in
# the msvcrt.dll of every later Windows.
RUNTIME_INTERNALS = """
__getmainargs __wgetmainargs __set_app_type __setusermatherr __p__acmdln
__p__wcmdln __p__commode __p__fmode __p__environ __initenv __winitenv
__mb_cur_max __lconv_init _amsg_exit _cexit _initterm _onexit _iob _setjmp3
__dllonexit _lock _unlock _errno
""".split()

# Functions the headers declare for XP although their documented minimum
# is later (Windows Vista, Server 2003 or XP x64 only). Leaving one out only
# makes the check stricter, so doubtful ones are left out too
# (RtlPcToFileHeader, which 32-bit XP exports from ntdll).
DOCUMENTED_LATER = """
AddVectoredContinueHandler RemoveVectoredContinueHandler GetThreadId
SetThreadStackGuarantee NeedCurrentDirectoryForExePathA
NeedCurrentDirectoryForExePathW Wow64DisableWow64FsRedirection
Wow64EnableWow64FsRedirection Wow64RevertWow64FsRedirection RtlPcToFileHeader
""".split()

HEADER = """\
# Functions that Windows XP SP3 exports by name, as DLL!function, from the
# DLLs that velkora.exe and velkora-driver.exe link. The test command and
# tools/release refuse a shipped program importing anything else
# (release/check_imports.py): Windows XP does not start a program that names
# a function its DLLs lack ("entry point not found").
#
# Written by release/make_xp_exports.py from these facts:
# - The export names: the mingw-w64 import libraries of each DLL
#   (/usr/i686-w64-mingw32/lib/lib<dll>.a, Debian's mingw-w64-i686-dev).
# - Which of them XP has: the names the mingw-w64 headers declare for
#   Windows XP (_WIN32_WINNT=0x0501, _WIN32_IE=0x0600 for XP's Internet
#   Explorer 6). The headers guard later functions with _WIN32_WINNT >=
#   0x0502 (XP SP2 x64 and Server 2003), 0x0600 (Vista) and up, following
#   Microsoft's documented minimum version of each function; GetTickCount64
#   is one (sysinfoapi.h, _WIN32_WINNT >= 0x0600; documented for Vista).
# - msvcrt.dll: the headers at __MSVCRT_VERSION__ 0x0700 (XP's msvcrt.dll
#   is version 7.0) without the secure "_s" functions of Visual C++ 2005,
#   plus the runtime's start-up imports, documented since Visual C++ 6.0:
%s
# - comctl32.dll, named or by ordinal only: the program's manifest asks for
#   no Common Controls 6, so XP loads comctl32 5.82 from system32.
#   SetWindowSubclass, GetWindowSubclass, RemoveWindowSubclass and
#   DefSubclassProc (ordinals 410 to 413) are documented for comctl32 5.8 on
#   Windows XP; Geoff Chappell's comctl32 export history gives them names
#   from XP's 5.82 on, while Windows 2000's 5.81 exports them by ordinal
#   only. The import libraries import them by name, so they are listed.
# - Left out although the headers declare them for XP, by their documented
#   minimum version (Vista, Server 2003 or XP x64 only):
%s
"""


def imports_of(library):
    output = subprocess.run([TRIPLET + "-nm", "/usr/%s/lib/%s" % (TRIPLET, library)],
                            capture_output=True, text=True, check=True).stdout
    names = set()
    for symbol in re.findall(r" I __imp__(\S+)", output):
        names.add(re.sub(r"@\d+$", "", symbol))
    return names


def declared_for_xp():
    output = subprocess.run([TRIPLET + "-gcc", "-E", "-P", "-x", "c", *XP, "-"], input=HEADERS,
                            capture_output=True, text=True, check=True).stdout
    return set(re.findall(r"\b([A-Za-z_]\w*)\s*\(", output))


def main():
    declared = declared_for_xp()
    lines = []
    for dll, library in sorted(LIBRARIES.items()):
        for name in sorted(imports_of(library)):
            if dll == "msvcrt.dll":
                keep = name in RUNTIME_INTERNALS or (name in declared and not name.endswith("_s"))
            else:
                keep = name in declared and name not in DOCUMENTED_LATER
            if keep:
                lines.append("%s!%s" % (dll, name))
    def comment(names):
        return textwrap.fill(" ".join(names), 76, initial_indent="#   ", subsequent_indent="#   ")

    sys.stdout.write(HEADER % (comment(RUNTIME_INTERNALS), comment(DOCUMENTED_LATER)))
    sys.stdout.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
