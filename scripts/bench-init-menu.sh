#!/usr/bin/env bash
# Prints how the Init Menu build scales with the size of the store.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${HOLM_BUILD_DIR:-$top/build}
bash "$top/scripts/install-deps.sh" >/dev/null
HOLM_BUILD_DIR=$build bash "$top/scripts/build.sh" >/dev/null
. "$top/scripts/wine-env.sh"
. "$top/scripts/xvfb.sh"
export WINEPREFIX=$build/wineprefix
trap '"$WINESERVER" -k 2>/dev/null || true; stop_xvfb' EXIT
start_xvfb 1280x1024x24
bash "$top/scripts/prepare-prefix.sh" 1024x768
cd "$build/bin" && "$WINE" init_menu_bench.exe
