#!/usr/bin/env bash
# Runs the cloaked menu benchmark under Wine: paint time of a screen-sized
# level against a small one, the time from a desktop click to the root level
# painted with 20 and with 400 entries, and the shell's processor use while
# a cloaked menu stays open and idle.
set -euo pipefail
. "$(dirname "$0")/session.sh"
bench_session
"$WINE" "$build/bin/cloaked_menu_bench.exe"
