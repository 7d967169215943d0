#!/usr/bin/env bash
# Runs the tray benchmark against the real shell under Wine: prints the time
# of 495 adds and modifies (five programs with 99 icons each) and the tray's
# paint time with 100 (and 496) icons.
set -euo pipefail
. "$(dirname "$0")/session.sh"
bench_session
"$WINE" "$build/bin/tray_bench.exe"
