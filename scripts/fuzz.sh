#!/usr/bin/env bash
# Fuzzes every parser of outside input for SECONDS each (default 600) with
# libFuzzer, keeping what it finds under build/native/fuzz-corpus. A crash
# leaves its input in build/native/fuzz-crashes and fails the script.
# Usage: fuzz.sh [SECONDS] [TARGET...]
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/install-deps.sh" || { echo "fuzz: installing the packages failed" >&2; exit 1; }
. "$top/scripts/native.sh"
build_native || exit 1
seconds=${1:-600}; shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(store_text_fuzz tray_record_fuzz command_line_fuzz title_text_fuzz autorun_inf_fuzz cloak_rules_fuzz reg_file_fuzz shell_message_fuzz)
mkdir -p "$native/fuzz-crashes"
status=0
for t in "${targets[@]}"; do
  corpus="$native/fuzz-corpus/$t"; mkdir -p "$corpus"
  log=$(mktemp)
  "$native/tests/native/$t" -max_total_time="$seconds" -max_len=1024 -print_final_stats=1 \
    -artifact_prefix="$native/fuzz-crashes/$t-" "$corpus" "$top/tests/fuzz/corpus/$t" >"$log" 2>&1
  rc=$?
  runs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}')
  if [ $rc -eq 0 ]; then echo "$t: ${runs:-?} executions in ${seconds} s, no crash"
  else echo "$t: FAILED after ${runs:-?} executions (see $native/fuzz-crashes)"; tail -n 20 "$log"; status=1; fi
  rm -f "$log"
done
exit $status
