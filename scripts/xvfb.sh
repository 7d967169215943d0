# Sourced: starts a private Xvfb on a free display and exports DISPLAY.
# The caller's EXIT trap should call stop_xvfb.
start_xvfb() {
  local size=${1:-1280x1024x24} n
  command -v Xvfb >/dev/null || { echo "xvfb: Xvfb is not installed" >&2; return 1; }
  for n in $(seq 90 130); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "$size" -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "xvfb: could not start Xvfb on any display from :90 to :130" >&2
  return 1
}
stop_xvfb() {
  [ -n "${XVFB_PID:-}" ] || return 0
  kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=""
  return 0
}
