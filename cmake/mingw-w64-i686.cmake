# Cross-compiles for 32-bit Windows, the product, with the posix-thread MinGW-w64 compilers.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
