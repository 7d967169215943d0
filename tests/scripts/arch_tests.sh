#!/usr/bin/env bash
# The choice of architecture: a machine whose kernel refuses 32-bit programs
# runs the x86_64 build and says why the i686 one cannot run.
set -u
. "$(dirname "$0")/../../scripts/arch.sh"
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
failures=0
check() { if [ "$2" = "$3" ]; then echo "PASS $1"; else echo "FAIL $1: got '$2', want '$3'"; failures=$((failures + 1)); fi; }

printf '#!/bin/sh\necho "wine: cannot execute binary file: Exec format error" >&2\nexit 126\n' >"$scratch/refused"
printf '#!/bin/sh\necho wine-8.0\n' >"$scratch/runs"
chmod +x "$scratch/refused" "$scratch/runs"

why=$(HOLM_WINE32="$scratch/refused" wine32_runs); rc=$?
check "refused loader fails" "$rc" 1
check "refused loader reason" "$why" "wine32 cannot start here (Exec format error): this machine runs only 64-bit programs"
check "refused loader picks x86_64" "$(HOLM_WINE32="$scratch/refused" preferred_arch)" x86_64
check "missing loader reason" "$(HOLM_WINE32="$scratch/none" wine32_runs)" "wine32 is not installed"
check "working loader picks i686" "$(HOLM_WINE32="$scratch/runs" preferred_arch)" i686
exit $((failures > 0))
