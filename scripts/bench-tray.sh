#!/usr/bin/env bash
# Runs the tray benchmark against the real shell under Wine: prints the time
# of 1,000 adds and 1,000 modifies and the tray's paint time with 200 (and
# 1,000) icons.
set -euo pipefail
. "$(dirname "$0")/session.sh"
bench_session
"$WINE" "$build/bin/tray_bench.exe"
