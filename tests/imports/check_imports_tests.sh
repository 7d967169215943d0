#!/usr/bin/env bash
# The import check itself: given import tables in objdump's format, it passes
# only when every function is listed as provided, names a function known to
# be missing with its reason, and fails on one nobody has listed yet.
set -u
checker="$(dirname "$0")/check_imports.sh"
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
failures=0
check() { if [ "$2" = "$3" ]; then echo "PASS $1"; else echo "FAIL $1: got '$2', want '$3'"; failures=$((failures + 1)); fi; }
contains() { if grep -qF -- "$3" <<<"$2"; then echo "PASS $1"; else echo "FAIL $1: '$3' not in: $2"; failures=$((failures + 1)); fi; }

mkdir "$scratch/bin"
touch "$scratch/bin/"{holm.exe,holm.dll,holm95.dll,HolmCfg.exe}
# A stand-in for objdump -p: every file imports what $scratch/table says.
printf '#!/bin/sh\ncat "%s/table"\n' "$scratch" >"$scratch/objdump"
chmod +x "$scratch/objdump"
table() {
  printf 'The Import Tables (interpreted .idata section contents)\n\n'
  printf '\tDLL Name: KERNEL32.dll\n\tvma:  Hint/Ord Member-Name Bound-To\n'
  printf '\t%s\t  %s  %s\n' d4f8 12 CreateThread d508 40 "$1"
  printf '\n\tDLL Name: SHELL32.dll\n\tvma:  Hint/Ord Member-Name Bound-To\n\t8000003d\t   61  <none>\n\n'
}
printf '# dll function source\nkernel32.dll CreateThread sdk\nkernel32.dll Sleep sdk\nshell32.dll #61 sdk\n' >"$scratch/provided"
printf 'kernel32.dll GetTickCount64 from Windows Vista on\n' >"$scratch/missing"
run() { bash "$checker" "$scratch/objdump" "$scratch/bin" "$scratch/provided" "$scratch/missing"; }

table Sleep >"$scratch/table"
out=$(run); rc=$?
check "listed imports pass" "$rc" 0
contains "listed imports counted" "$out" "PASS holm95.dll: 3 imported functions"

table GetTickCount64 >"$scratch/table"
out=$(run); rc=$?
check "missing import fails" "$rc" 1
contains "missing import names its reason" "$out" \
  "FAIL HolmCfg.exe imports kernel32.dll GetTickCount64, which Windows 95 or NT 4 lacks: from Windows Vista on"

table SleepEx >"$scratch/table"
out=$(run); rc=$?
check "unlisted import fails" "$rc" 1
contains "unlisted import named" "$out" "FAIL holm.exe imports kernel32.dll SleepEx, which is not on the list"

table Sleep >"$scratch/table"
echo "kernel32.dll Beep" >>"$scratch/provided"
out=$(run); rc=$?
check "entry without source fails" "$rc" 1
contains "entry without source named" "$out" "lists kernel32.dll Beep without its source"

: >"$scratch/table"
out=$(run); rc=$?
check "unreadable table fails" "$rc" 1
rm "$scratch/bin/holm95.dll"
out=$(run); rc=$?
contains "missing deliverable named" "$out" "FAIL holm95.dll: not built"
exit $((failures > 0))
