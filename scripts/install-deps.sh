#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine.
# Skips the work when everything is already present.
set -euo pipefail

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

pkgs=(cmake ninja-build g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64
      wine wine32:i386 wine64 xvfb xdotool x11-utils imagemagick googletest
      python3 dpkg-dev)
for p in "${pkgs[@]}"; do have_pkg "$p" || need+=("$p"); done

if [ ${#need[@]} -eq 0 ]; then
  echo "install-deps: everything present"
  exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${need[@]}"
