#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine on a
# private Xvfb display. Exits non-zero on any failure.
set -euo pipefail
. "$(dirname "$0")/session.sh"
cd "$build"
ctest --output-on-failure "$@"
