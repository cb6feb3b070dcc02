# Shared by the two MinGW-w64 toolchain files: TOOLCHAIN_PREFIX names the
# target triple, THREAD_MODEL the flavour of Debian's compiler (posix or
# win32) whose static runtime is linked in, and TAVRIX_WINNT the oldest
# Windows the build may call (_WIN32_WINNT and WINVER).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-${THREAD_MODEL})
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-${THREAD_MODEL})
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
