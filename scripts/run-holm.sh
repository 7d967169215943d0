#!/usr/bin/env bash
# Builds HOLM, prepares a Wine prefix with a demo configuration and starts
# holm.exe as the shell of a Wine virtual desktop. With an X display the
# desktop opens as a window there; without one it runs on Xvfb, opens the
# Init Menu with a click and writes a screenshot of it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
fail() { echo "run-holm: $1" >&2; exit 1; }

bash "$top/scripts/install-deps.sh" || fail "installing the packages failed"
. "$top/scripts/arch.sh"
# The classic 32-bit build where this machine runs 32-bit programs, else x86_64.
export HOLM_ARCH=$(preferred_arch)
build=${HOLM_BUILD_DIR:-$top/build/$HOLM_ARCH}
HOLM_BUILD_DIR=$build bash "$top/scripts/build.sh" "$HOLM_ARCH" || fail "the $HOLM_ARCH build failed"
echo "run-holm: running the $HOLM_ARCH build"

. "$top/scripts/wine-env.sh"
. "$top/scripts/xvfb.sh"
# Each architecture needs a prefix of its own kind.
export WINEPREFIX=${HOLM_PREFIX:-$HOME/.holm-wine-$HOLM_ARCH}

headless=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  headless=1
  start_xvfb 1024x768x24 || fail "no display and Xvfb could not start"
  trap 'stop_xvfb' EXIT
fi

"$WINESERVER" -k 2>/dev/null || true
bash "$top/scripts/prepare-prefix.sh" 1024x768 || fail "the Wine prefix $WINEPREFIX could not be prepared"
"$WINE" regedit /s "$top/scripts/demo/demo-config.reg" >/dev/null 2>&1 || fail "regedit could not load the demo configuration"
"$WINESERVER" -w

cd "$build/bin"
if [ "$headless" = 0 ]; then
  echo "Starting HOLM: left-click the desktop for the Init Menu, right-click for the Window List."
  exec "$WINE" holm.exe
fi

"$WINE" holm.exe >/dev/null 2>&1 &
started=0
for _ in $(seq 100); do xdotool search --name '^HOLM$' >/dev/null 2>&1 && { started=1; break; }; sleep 0.2; done
[ "$started" = 1 ] || fail "holm.exe did not show its window within 20 s"
sleep 2
xdotool mousemove 600 300 click 1
sleep 1.5
shot=${HOLM_SCREENSHOT:-$top/holm-screenshot.png}
import -window root "$shot"
echo "HOLM ran on a private X display; its Init Menu is in $shot"
"$WINESERVER" -k
