# Cross-compiling for 32-bit Windows with MinGW-w64: the release build that
# operators install next to WSJT 4.9.7, on Windows XP SP3 to Windows 11.
#
# Why 32-bit: WSJT 4.9.7 is a 32-bit program without a requested execution
# level, so on Windows Vista and later its writes under
# "c:\program files\wsjt" are redirected into the user's VirtualStore. Only a
# process that is also 32-bit and also declares no requestedExecutionLevel in
# its manifest is given the same virtualized view, and so reads the same
# decoded.cum that WSJT writes. A 64-bit build would read the real, stale
# folder instead.
#
# Why the win32 thread model and 0x0501: WSJT 4.9.7 still runs on Windows XP,
# and so do many of the stations that use it. The posix flavour links the
# static winpthreads, which imports GetTickCount64 (Vista and later), and
# Windows XP then refuses to start the program. The win32 flavour's runtime
# imports only what XP's kernel32 and msvcrt.dll export; Tavrix starts no
# threads of its own. scripts/check-imports.sh keeps it that way.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
set(THREAD_MODEL win32)
set(TAVRIX_WINNT 0x0501)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
