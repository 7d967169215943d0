#!/usr/bin/env bash
# Runs one Windows test program under Wine in the prepared prefix, then ends
# whatever the test left running there.
#
# The program writes into a file that is shown afterwards, not into CTest's
# pipe: a Wine process started while the server went down (rpcss.exe, asked
# for by COM at the end of a test) has been seen waiting forever for a
# server of its own, and holding that pipe it kept CTest waiting too.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"

# Processes of this prefix that outlived its server.
end_strays() {
  local pid
  for pid in $(pgrep -f '^(/usr/lib/wine/|[A-Z]:\\)' 2>/dev/null); do
    tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && kill -9 "$pid" 2>/dev/null
  done
  return 0
}

out=$(mktemp)
"$WINE" "$@" >"$out" 2>&1
rc=$?
"$WINESERVER" -k 2>/dev/null
"$WINESERVER" -w 2>/dev/null
end_strays
cat "$out"
rm -f "$out"
exit $rc
