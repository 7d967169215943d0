# Cross-build for 32-bit Windows with MinGW-w64.
set(HOLM_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
