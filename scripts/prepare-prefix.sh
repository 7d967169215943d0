#!/usr/bin/env bash
# Creates (once) the Wine prefix in $WINEPREFIX with one default virtual
# desktop, so that every program started with plain `wine` shares it.
# Usage: prepare-prefix.sh [WIDTHxHEIGHT]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
: "${WINEPREFIX:?WINEPREFIX must be set}"
size=${1:-1024x768}

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$WINE" wineboot -i >/dev/null 2>&1 || true
  "$WINESERVER" -w
fi

reg=$(mktemp --suffix=.reg)
cat > "$reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"Default"="$size"

[HKEY_CURRENT_USER\\Software\\Wine\\DllOverrides]
"winemenubuilder.exe"=""
REG
"$WINE" regedit /s "$reg" >/dev/null 2>&1
"$WINESERVER" -w
rm -f "$reg"
