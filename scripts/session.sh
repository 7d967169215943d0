# Sourced by the test and benchmark scripts: installs what is missing,
# builds into $build, starts a private Xvfb and a Wine prefix under $build,
# and ends both when the calling script exits.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${HOLM_BUILD_DIR:-$top/build}

bash "$top/scripts/install-deps.sh"
HOLM_BUILD_DIR=$build bash "$top/scripts/build.sh"

. "$top/scripts/wine-env.sh"
. "$top/scripts/xvfb.sh"
export WINEPREFIX=$build/wineprefix
end_session() { "$WINESERVER" -k 2>/dev/null || true; stop_xvfb; }
trap end_session EXIT
"$WINESERVER" -k 2>/dev/null || true  # nothing of an earlier run may hold the prefix
start_xvfb 1280x1024x24
bash "$top/scripts/prepare-prefix.sh" 1024x768
