#!/usr/bin/env bash
# The commands that end the session (log off, shut down, reboot) or the shell
# (exit, switch to Explorer), each tried for real in a copy of the test
# prefix with a Wine server of its own: a lost session costs only the copy.
# Usage: commands_session_end.sh BIN_DIR
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/wine-env.sh"
bin=$1
: "${WINEPREFIX:?the test prefix must be set}"

"$WINESERVER" -w  # the test prefix is copied at rest
scratch=$(mktemp -d /tmp/holm-session.XXXXXX)
trap 'WINEPREFIX="$scratch/prefix" "$WINESERVER" -k 2>/dev/null; rm -rf "$scratch"' EXIT
cp -a "$WINEPREFIX" "$scratch/prefix"
export WINEPREFIX="$scratch/prefix"

failures=0
# The driver reports through a file of its own (through Wine's Z: drive);
# its output goes nowhere, since programs it starts inherit it and may
# outlive it, which would hold a pipe open.
run_driver() {
  rm -f "$scratch/report"
  timeout 120 "$WINE" "$bin/session_driver.exe" "$1" "Z:$scratch/report" >/dev/null 2>&1
  if [ -f "$scratch/report" ]; then cat "$scratch/report"; else echo "(the driver wrote no report)"; fi
}
end_scratch_session() { "$WINESERVER" -k 2>/dev/null; "$WINESERVER" -w; }

for case in logoff-yes logoff-no shutdown-yes shutdown-no reboot-yes reboot-no; do
  out=$(run_driver "$case")
  if ! grep -q "^ANSWERED $case" <<<"$out" || grep -q SURVIVED <<<"$out"; then
    echo "FAIL $case: $out"; failures=$((failures + 1))
  else
    check=$(run_driver check)
    if grep -q '^PASS check' <<<"$check"; then echo "PASS $case"
    else echo "FAIL $case: $check"; failures=$((failures + 1)); fi
  fi
  end_scratch_session
done

for case in exit explorer; do
  out=$(run_driver "$case")
  if grep -q "^PASS $case" <<<"$out"; then echo "PASS $case"
  else echo "FAIL $case: $out"; failures=$((failures + 1)); fi
  end_scratch_session
done

exit $((failures > 0))
