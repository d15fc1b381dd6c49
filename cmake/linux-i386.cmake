# The portable core as a 32-bit x86 Linux program that computes its doubles
# on the x87 unit, as the shipped 32-bit Windows program does (the same
# -march and -mfpmath as the i686 mingw compiler's defaults), so its tests
# see the rounding users get. Where the machine cannot run 32-bit programs,
# ctest runs them under the emulator given as VELKORA_I386_EMULATOR
# (qemu-i386-static).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32 -march=pentiumpro -mfpmath=387")
set(CMAKE_CXX_FLAGS_INIT "-m32 -march=pentiumpro -mfpmath=387")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
# The system's GoogleTest is a 64-bit library: build it from its sources.
set(VELKORA_GTEST_FROM_SOURCE ON CACHE BOOL "" FORCE)
if(VELKORA_I386_EMULATOR)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VELKORA_I386_EMULATOR})
endif()
