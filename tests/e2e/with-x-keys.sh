#!/usr/bin/env bash
# Runs a test program under Wine beside a helper that presses and releases
# keys on the X display when the test asks: the test writes xdotool commands
# ("keydown shift", "keyup shift") into BIN_DIR/xkeys/request and waits until
# the file is gone. Real key presses survive Wine's key-state resync when a
# window takes the focus; keys held with SendInput do not.
# Usage: with-x-keys.sh BIN_DIR PROGRAM [ARGS...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$1
shift
dir="$bin/xkeys"
mkdir -p "$dir"
rm -f "$dir/request"
(
  while :; do
    if [ -f "$dir/request" ]; then
      read -r -a words < "$dir/request" || true
      xdotool "${words[@]}" >/dev/null 2>&1
      rm -f "$dir/request"
    fi
    sleep 0.02
  done
) &
helper=$!
trap 'kill $helper 2>/dev/null; xdotool keyup shift keyup ctrl >/dev/null 2>&1' EXIT
"$here/../../scripts/wine-run.sh" "$@"
