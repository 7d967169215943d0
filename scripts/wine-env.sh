# Sourced by the other scripts: the Wine commands and the environment the
# tests and the run script share.
WINE=$(command -v wine || command -v wine-stable || echo /usr/lib/wine/wine)
WINESERVER=$(command -v wineserver || command -v wineserver-stable || echo /usr/lib/wine/wineserver)
export WINE WINESERVER
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win32
