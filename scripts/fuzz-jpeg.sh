#!/usr/bin/env bash
# Builds the JPEG decoding path for the host with clang, AddressSanitizer
# and libFuzzer (libjpeg-turbo from the same Debian source package) and
# fuzzes it, seeded with the program's own pictures.
# Usage: fuzz-jpeg.sh [seconds]   (default 60)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
out=${HOLM_FUZZ_DIR:-$top/build-fuzz}
command -v clang++ >/dev/null || { echo "fuzz-jpeg: clang++ is needed" >&2; exit 1; }
bash "$top/scripts/fetch-libjpeg.sh"
src=$top/third_party/libjpeg-turbo-2.1.5
flags="-g -O1 -fsanitize=address,fuzzer-no-link"
if [ ! -f "$out/libjpeg/libjpeg.a" ]; then
  cmake -S "$src" -B "$out/libjpeg" -G Ninja -Wno-dev -DCMAKE_C_COMPILER=clang -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_FLAGS="$flags -w" -DCMAKE_INSTALL_PREFIX="$out/install" \
    -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF >/dev/null
  cmake --build "$out/libjpeg" --target jpeg-static -- -j2 >/dev/null
fi
clang++ -std=c++17 -g -O1 -fsanitize=address,fuzzer -Wall -Wextra \
  -I"$top/config" -I"$src" -I"$out/libjpeg" \
  "$top/tests/fuzz/jpeg_decode_fuzz.cpp" "$top/config/jpeg_decode.cpp" "$out/libjpeg/libjpeg.a" \
  -o "$out/jpeg_decode_fuzzer"
mkdir -p "$out/corpus"
cp "$top"/config/res/*.jpg "$out/corpus/"
"$out/jpeg_decode_fuzzer" -max_total_time="$seconds" -rss_limit_mb=1024 -print_final_stats=1 "$out/corpus"
