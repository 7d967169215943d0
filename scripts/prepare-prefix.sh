#!/usr/bin/env bash
# Creates (once) the Wine prefix in $WINEPREFIX with one default virtual
# desktop, so that every program started with plain `wine` shares it.
# Usage: prepare-prefix.sh [WIDTHxHEIGHT]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
: "${WINEPREFIX:?WINEPREFIX must be set}"
size=${1:-1024x768}
fail() { echo "prepare-prefix: $1" >&2; exit 1; }

"$WINE" --version >/dev/null 2>&1 || fail "$WINE cannot start here ($("$WINE" --version 2>&1 | tail -n 1))"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$WINE" wineboot -i >/dev/null 2>&1 || true
  "$WINESERVER" -w
  [ -f "$WINEPREFIX/system.reg" ] || fail "wineboot could not make the $WINEARCH prefix $WINEPREFIX"
fi

reg=$(mktemp --suffix=.reg)
trap 'rm -f "$reg"' EXIT
cat > "$reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"Default"="$size"

[HKEY_CURRENT_USER\\Software\\Wine\\DllOverrides]
"winemenubuilder.exe"=""

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon]
"Shell"="holm.exe /startup"
REG
"$WINE" regedit /s "$reg" >/dev/null 2>&1 || fail "regedit could not write the desktop settings into $WINEPREFIX"
"$WINESERVER" -w
# HOLM is the registered shell on both platforms, so that a test start of
# the shell makes no offer unless the test itself changes the entry.
ini=$WINEPREFIX/drive_c/windows/system.ini
touch "$ini"
if ! grep -qi '^\[boot\]' "$ini"; then
  printf '\r\n[boot]\r\nshell=holm.exe\r\n' >> "$ini"
elif ! grep -qi '^shell=.*holm' "$ini"; then
  sed -i '/^\[boot\]/I a shell=holm.exe\r' "$ini"
fi
