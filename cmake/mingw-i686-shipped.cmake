# Cross toolchain for the programs we ship (velkora.exe, velkora-driver.exe):
# the 32-bit build with the win32 thread model. The posix model links
# libwinpthread, which imports GetTickCount64, and Windows XP refuses to load
# a program that names a function its kernel32 lacks. The shipped programs
# use no std::thread or std::mutex, which this model of GCC 12 lacks, so only
# they are built with it; the tests keep the posix model. Symbols are
# stripped: users need none of them.
set(VELKORA_MINGW_ARCH i686)
set(VELKORA_MINGW_THREADS win32)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-s")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
