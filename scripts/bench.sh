#!/usr/bin/env bash
# Runs every benchmark in one session and prints one table of their figures
# (one row per figure line a benchmark prints), headed by the architecture
# and the machine's core count. HOLM_BENCH_ARCH=x86_64 (or i686) chooses the
# architecture; otherwise the one this machine runs best.
set -euo pipefail
. "$(dirname "$0")/session.sh"
bench_session

# "name:program [arguments]"; a name of "-" runs a step that prints no
# figures and then lets the Wine server end, so that the next benchmark's
# process finds the registry as loaded from disk.
benchmarks=(
  "Init Menu build:init_menu_bench.exe"
  "-:init_menu_bench.exe write-store"
  "Init Menu build, fresh process:init_menu_bench.exe fresh-build"
  "Start-up:startup_bench.exe"
  "Window List:window_list_bench.exe"
  "Cloaked menus:cloaked_menu_bench.exe"
  "Tray:tray_bench.exe"
)

rows=()
for entry in "${benchmarks[@]}"; do
  name=${entry%%:*}
  read -r -a command <<< "${entry#*:}"
  echo "running ${command[*]} ..." >&2
  if [ "$name" = - ]; then
    (cd "$build/bin" && "$WINE" "${command[@]}" >/dev/null 2>&1) || echo "bench: ${command[*]} failed" >&2
    "$WINESERVER" -w
    continue
  fi
  if ! output=$(cd "$build/bin" && "$WINE" "${command[@]}" 2>/dev/null | tr -d '\r'); then
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
