#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: first the pure
# core natively under the sanitizers (with a bounded run of each fuzz
# target), then everything under Wine on a private Xvfb, once per Windows
# architecture this machine can run: x86_64 (wine64) always, i686 (wine32)
# where 32-bit programs run. Where they do not, the i686 deliverables are
# still built and their import tables checked (suite i686-imports, no Wine).
# Arguments go to ctest (for example -R e2e_tray).
# HOLM_SUITES="native i686" (say) runs only those suites.
# Exits non-zero on any failure.
set -uo pipefail
. "$(dirname "$0")/session.sh"
. "$top/scripts/native.sh"

suites=(native)
if why=$(wine32_runs); then
  suites+=(i686)
else
  echo "test: the i686 suite is not run ($why); its deliverables are built and their imports checked"
  suites+=(i686-imports)
fi
suites+=(x86_64)
if [ -n "${HOLM_SUITES:-}" ]; then read -ra suites <<<"$HOLM_SUITES"; fi

run_suite() {
  if [ "$1" = native ]; then
    build_native || return 2
    cd "$native" && ctest --output-on-failure "${@:2}"
    return
  fi
  if [ "$1" = i686-imports ]; then
    bash "$top/scripts/build.sh" i686 holm holm_exe holm95 HolmCfg || return 2
    cd "${HOLM_BUILD_DIR:-$top/build/i686}" && ctest --output-on-failure -L imports "${@:2}"
    return
  fi
  trap end_session EXIT
  holm_session "$1" || return 2
  # A test that fails is run once more: Wine under Xvfb has rare timing
  # hiccups, and a real fault fails both times.
  cd "$build" && ctest --output-on-failure --repeat until-pass:2 "${@:2}"
}

passed=0 failed=0 status=0 summary=()
for suite in "${suites[@]}"; do
  echo "== test: $suite =="
  log=$(mktemp)
  (run_suite "$suite" "$@") 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  nomatch=$(grep -c "No tests were found" "$log")
  rm -f "$log"
  if [ -z "$line" ]; then
    if [ "$rc" -eq 0 ] && [ "$nomatch" -gt 0 ]; then summary+=("$suite: no test matched"); continue; fi
    summary+=("$suite: no tests ran (the set-up failed, see above)"); status=1; continue
  fi
  total=${line##* out of }
  bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad)); failed=$((failed + bad))
  summary+=("$suite: $((total - bad)) of $total passed")
  [ "$rc" -eq 0 ] || status=1
done

echo "== test summary =="
printf '%s\n' "${summary[@]}"
echo "tests: $passed passed, $failed failed"
exit $status
