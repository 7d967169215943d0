#!/usr/bin/env bash
# Runs the start-up benchmark against the real shell under Wine: prints the
# time from starting holm.exe to the shell ready for a click, with an empty
# Init Menu and with 300 items.
set -euo pipefail
. "$(dirname "$0")/session.sh"
bench_session
cd "$build/bin" && "$WINE" startup_bench.exe
