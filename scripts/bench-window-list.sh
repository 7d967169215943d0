#!/usr/bin/env bash
# Runs the Window List benchmark against the real shell under Wine: prints
# the time from the Window List hotkey to the menu on screen with 10 and with
# 200 top-level windows (one of them hung) and the ratio.
set -euo pipefail
. "$(dirname "$0")/session.sh"
bench_session
"$WINE" "$build/bin/window_list_bench.exe"
