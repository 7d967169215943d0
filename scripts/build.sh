#!/usr/bin/env bash
# Configures and builds everything (deliverables and tests) into build/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${HOLM_BUILD_DIR:-$top/build}
bash "$top/scripts/fetch-libjpeg.sh"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake" >/dev/null
fi
cmake --build "$build" -- -k 0
