# Cross-compiling for 32-bit Windows with MinGW-w64 (posix threads): the
# release build that operators install next to WSJT 4.9.7.
#
# Why 32-bit: WSJT 4.9.7 is a 32-bit program without a requested execution
# level, so on Windows Vista and later its writes under
# "c:\program files\wsjt" are redirected into the user's VirtualStore. Only a
# process that is also 32-bit and also declares no requestedExecutionLevel in
# its manifest is given the same virtualized view, and so reads the same
# decoded.cum that WSJT writes. A 64-bit build would read the real, stale
# folder instead.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
