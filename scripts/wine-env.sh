# Sourced by the other scripts: the Wine commands and the environment the
# tests and the run script share, for the architecture in HOLM_ARCH (i686,
# the default, runs under wine32 in a 32-bit prefix; x86_64 under wine64 in
# a 64-bit prefix).
HOLM_ARCH=${HOLM_ARCH:-i686}
case "$HOLM_ARCH" in
  i686)   WINE=/usr/lib/wine/wine;   WINEARCH=win32 ;;
  x86_64) WINE=/usr/lib/wine/wine64; WINEARCH=win64 ;;
  *) echo "wine-env: unknown architecture '$HOLM_ARCH' (i686 or x86_64)" >&2; return 1 ;;
esac
WINESERVER=/usr/lib/wine/wineserver
export HOLM_ARCH WINE WINESERVER WINEARCH
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
