# Cross-compiles for 64-bit Windows (what the tests run under wine64) with the posix-thread
# MinGW-w64 compilers.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
