#!/usr/bin/env bash
# Prints how the Init Menu build scales with the size of the store.
set -euo pipefail
. "$(dirname "$0")/session.sh"
bench_session
cd "$build/bin" && "$WINE" init_menu_bench.exe
