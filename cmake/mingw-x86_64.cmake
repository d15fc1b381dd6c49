# Cross toolchain for the 64-bit Windows build of the same sources, which the
# tests use on machines that cannot run 32-bit programs.
set(VELKORA_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
