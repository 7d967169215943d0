#!/usr/bin/env bash
# Runs one Windows test program under Wine in the prepared prefix, then ends
# whatever the test left running there: a program it started (and the Wine
# server with it) would otherwise hold CTest's output pipe open.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
"$WINE" "$@"
rc=$?
"$WINESERVER" -k 2>/dev/null
"$WINESERVER" -w 2>/dev/null
exit $rc
