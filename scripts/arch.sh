# Sourced: which Windows architectures this machine can run under Wine.
# wine32's loader is a 32-bit Linux program; kernels without IA-32 emulation
# refuse it, and then only the x86_64 build can run (under wine64).

# Succeeds when wine32 starts here; otherwise prints the reason in one line.
# HOLM_WINE32 names another loader to try (the script's own test uses it).
wine32_runs() {
  local out wine32=${HOLM_WINE32:-/usr/lib/wine/wine}
  if [ ! -x "$wine32" ]; then echo "wine32 is not installed"; return 1; fi
  if ! out=$("$wine32" --version 2>&1); then
    out=${out##*$'\n'}
    echo "wine32 cannot start here (${out##*: }): this machine runs only 64-bit programs"
    return 1
  fi
}

# The architecture to run HOLM as: the classic 32-bit build where it can.
preferred_arch() {
  if wine32_runs >/dev/null; then echo i686; else echo x86_64; fi
}
