#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine on a
# private Xvfb display. Exits non-zero on any failure.
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
"$WINESERVER" -k 2>/dev/null || true  # nothing of an earlier run may hold the prefix
start_xvfb 1280x1024x24
bash "$top/scripts/prepare-prefix.sh" 1024x768

cd "$build"
ctest --output-on-failure "$@"
