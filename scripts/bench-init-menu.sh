#!/usr/bin/env bash
# Prints how the Init Menu build scales with the size of the store, then the
# first build of a process that finds a large store as the registry was
# loaded from disk (the Wine server ended and started again in between).
set -euo pipefail
. "$(dirname "$0")/session.sh"
bench_session
cd "$build/bin" && "$WINE" init_menu_bench.exe
"$WINE" init_menu_bench.exe write-store
"$WINESERVER" -w
"$WINE" init_menu_bench.exe fresh-build
