# Cross-compiling for 64-bit Windows with MinGW-w64 (posix threads). This is
# the build our end-to-end tests run under Wine; as a package it needs
# 64-bit Windows 7 or later.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
set(THREAD_MODEL posix)
set(TAVRIX_WINNT 0x0601)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
