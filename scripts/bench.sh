#!/usr/bin/env bash
# Runs every benchmark in one session and prints one table of their figures
# (one row per figure line a benchmark prints), headed by the architecture
# and the machine's core count. HOLM_BENCH_ARCH=x86_64 (or i686) chooses the
# architecture; otherwise the one this machine runs best.
set -euo pipefail
. "$(dirname "$0")/session.sh"
bench_session

benchmarks=(
  "Init Menu build:init_menu_bench.exe"
  "Start-up:startup_bench.exe"
  "Window List:window_list_bench.exe"
  "Cloaked menus:cloaked_menu_bench.exe"
  "Tray:tray_bench.exe"
)

rows=()
for entry in "${benchmarks[@]}"; do
  name=${entry%%:*} program=${entry#*:}
  echo "running $program ..." >&2
  if ! output=$(cd "$build/bin" && "$WINE" "$program" 2>/dev/null | tr -d '\r'); then
    output="failed: ${output##*$'\n'}"
  fi
  while IFS= read -r line; do
    line=$(echo "$line" | tr -s ' ' | sed 's/^ //; s/|/\\|/g')
    [ -n "$line" ] && rows+=("| $name | $line |")
  done <<< "$output"
done

echo
echo "HOLM benchmarks: $HOLM_ARCH under $(basename "$WINE"), $(nproc) cores ($(uname -m)), $(date -u +%Y-%m-%d)"
echo
echo "| benchmark | figure |"
echo "|---|---|"
printf '%s\n' "${rows[@]}"
