# Sourced by the test and benchmark scripts. Defines:
#   holm_session ARCH   builds ARCH into $build (build/ARCH unless
#                       HOLM_BUILD_DIR is set), starts a private Xvfb and a
#                       Wine prefix under $build; end_session ends both.
# Every failure says why in one line on standard error and returns non-zero.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$top/scripts/arch.sh"
. "$top/scripts/xvfb.sh"

bash "$top/scripts/install-deps.sh" || { echo "session: installing the packages failed" >&2; exit 1; }

end_session() {
  [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k 2>/dev/null
  stop_xvfb
  return 0
}

holm_session() {
  export HOLM_ARCH=$1
  build=${HOLM_BUILD_DIR:-$top/build/$HOLM_ARCH}
  bash "$top/scripts/build.sh" "$HOLM_ARCH" || return 1
  . "$top/scripts/wine-env.sh" || return 1
  export WINEPREFIX=$build/wineprefix
  "$WINESERVER" -k 2>/dev/null || true  # nothing of an earlier run may hold the prefix
  start_xvfb 1280x1024x24 || return 1
  bash "$top/scripts/prepare-prefix.sh" 1024x768 || return 1
}

# For the benchmarks: a session on the architecture this machine runs best
# (i686 where 32-bit programs run) or on HOLM_BENCH_ARCH, named in the output.
bench_session() {
  trap end_session EXIT
  local arch
  arch=${HOLM_BENCH_ARCH:-$(preferred_arch)}
  echo "benchmark architecture: $arch"
  holm_session "$arch" >/dev/null || exit 1
}
