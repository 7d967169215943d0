#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test under Wine on a
# private Xvfb, once per Windows architecture this machine can run: x86_64
# (wine64) always, i686 (wine32) where 32-bit programs run. Arguments go to
# ctest (for example -R e2e_tray). Exits non-zero on any failure.
set -uo pipefail
. "$(dirname "$0")/session.sh"

archs=()
if why=$(wine32_runs); then archs+=(i686); else echo "test: i686 not run: $why"; fi
archs+=(x86_64)

passed=0 failed=0 status=0 summary=()
for arch in "${archs[@]}"; do
  echo "== test: $arch =="
  log=$(mktemp)
  (
    trap end_session EXIT
    holm_session "$arch" || exit 2
    cd "$build" && ctest --output-on-failure "$@"
  ) 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  rm -f "$log"
  if [ -z "$line" ]; then
    summary+=("$arch: no tests ran (the set-up failed, see above)"); status=1; continue
  fi
  total=${line##* out of }
  bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad)); failed=$((failed + bad))
  summary+=("$arch: $((total - bad)) of $total passed")
  [ "$rc" -eq 0 ] || status=1
done

echo "== test summary =="
printf '%s\n' "${summary[@]}"
echo "tests: $passed passed, $failed failed"
exit $status
