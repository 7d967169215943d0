#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine, for both
# Windows architectures. Skips the work when everything is already present.
set -euo pipefail

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

pkgs=(cmake ninja-build mingw-w64
      g++-mingw-w64-i686 binutils-mingw-w64-i686
      g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
      wine wine32:i386 wine64 xvfb xdotool x11-utils imagemagick googletest
      python3 clang nsis dpkg-dev)
for p in "${pkgs[@]}"; do have_pkg "$p" || need+=("$p"); done

if [ ${#need[@]} -eq 0 ]; then
  echo "install-deps: everything present"
  exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
fail() { echo "install-deps: $1" >&2; exit 1; }
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386 || fail "could not add the i386 architecture (needed for wine32)"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q >/dev/null || fail "apt-get update failed: is Debian's package registry reachable?"
$SUDO apt-get install -y -q --no-install-recommends "${need[@]}" >/dev/null \
  || fail "apt-get could not install: ${need[*]}"
echo "install-deps: installed ${need[*]}"
