#!/usr/bin/env bash
# Builds and runs the tray benchmark against the real shell under Wine on a
# private Xvfb: prints the time of 1,000 adds and 1,000 modifies and the
# tray's paint time with 200 (and 1,000) icons.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${HOLM_BUILD_DIR:-$top/build}

bash "$top/scripts/install-deps.sh"
HOLM_BUILD_DIR=$build bash "$top/scripts/build.sh"

. "$top/scripts/wine-env.sh"
. "$top/scripts/xvfb.sh"
export WINEPREFIX=$build/wineprefix
cleanup() { "$WINESERVER" -k 2>/dev/null || true; stop_xvfb; }
trap cleanup EXIT
"$WINESERVER" -k 2>/dev/null || true
start_xvfb 1280x1024x24
bash "$top/scripts/prepare-prefix.sh" 1024x768

"$WINE" "$build/bin/tray_bench.exe"
