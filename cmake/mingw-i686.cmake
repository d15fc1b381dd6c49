# Cross toolchain for the 32-bit Windows build: the program we ship.
set(VELKORA_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
