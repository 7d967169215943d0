# Shared part of the MinGW-w64 cross toolchains; the including file sets
# HOLM_ARCH (i686 or x86_64) first.
# The win32 thread model: the posix one links libwinpthread, whose imports
# (GetTickCount64, AddVectoredExceptionHandler, TryEnterCriticalSection, ...)
# Windows 95 and NT 4 lack. It has no std::thread or std::mutex; threads are
# the Windows API's, in the tests as well.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${HOLM_ARCH})
set(TOOL_PREFIX ${HOLM_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${TOOL_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${TOOL_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER ${TOOL_PREFIX}-windres)
set(CMAKE_DLLTOOL ${TOOL_PREFIX}-dlltool)
set(CMAKE_FIND_ROOT_PATH /usr/${TOOL_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
