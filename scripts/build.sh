#!/usr/bin/env bash
# Configures and builds everything (deliverables and tests) for one Windows
# architecture, or only the targets named after it. Usage:
# build.sh [i686|x86_64] [target...]; the build goes to $HOLM_BUILD_DIR, by
# default build/<arch>.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-${HOLM_ARCH:-i686}}
build=${HOLM_BUILD_DIR:-$top/build/$arch}
toolchain="$top/cmake/mingw-$arch.cmake"
[ -f "$toolchain" ] || { echo "build: no toolchain for architecture '$arch'" >&2; exit 1; }
bash "$top/scripts/fetch-libjpeg.sh" || { echo "build: the libjpeg sources could not be fetched" >&2; exit 1; }
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" >/dev/null \
    || { echo "build: cmake could not configure the $arch build in $build" >&2; exit 1; }
fi
targets=()
[ $# -gt 1 ] && targets=(--target "${@:2}")
cmake --build "$build" "${targets[@]}" -- -k 0 || { echo "build: the $arch build failed (errors above)" >&2; exit 1; }
