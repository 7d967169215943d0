#!/usr/bin/env bash
# Fetches the pinned libjpeg-turbo source package from Debian's archive
# (without touching the system's apt sources) and unpacks it, with Debian's
# patches, into third_party/. Does nothing when it is already there.
# Fails with a one-line reason.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
version=2.1.5
debian_version=1:2.1.5-2
orig_sha=254f3642b04e309fee775123133c6464181addc150499561020312ec61c1bf7c
debian_sha=cdb2433c2f7101345c1ffa14efb943787c675b86354691a32490845fe4bc9237
dest=$top/third_party/libjpeg-turbo-$version
fail() { echo "fetch-libjpeg: $*" >&2; exit 1; }

[ -f "$dest/jpeglib.h" ] && exit 0
command -v apt-get >/dev/null || fail "apt-get is needed to fetch Debian's libjpeg-turbo source package"
command -v dpkg-source >/dev/null || fail "dpkg-source (package dpkg-dev) is needed to unpack the source package"
sources=/etc/apt/sources.list.d/debian.sources
[ -r "$sources" ] || fail "no Debian sources file at $sources"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/lists/partial" "$work/cache/archives/partial" "$work/parts" "$work/dl"
sed 's/^Types: deb$/Types: deb deb-src/' "$sources" > "$work/parts/debian.sources"
cat > "$work/apt.conf" <<CONF
Dir::Etc::SourceList "/dev/null";
Dir::Etc::SourceParts "$work/parts";
Dir::State::Lists "$work/lists";
Dir::Cache "$work/cache";
CONF
export APT_CONFIG=$work/apt.conf
apt-get update -qq >/dev/null 2>&1 || fail "apt-get update of the private source list failed (network?)"
(cd "$work/dl" && apt-get source -qq --download-only "libjpeg-turbo=$debian_version" >/dev/null 2>&1) ||
  fail "apt-get source could not fetch libjpeg-turbo $debian_version"
check() { echo "$2  $work/dl/$1" | sha256sum -c --quiet >/dev/null 2>&1 || fail "checksum mismatch for $1"; }
check "libjpeg-turbo_$version.orig.tar.gz" "$orig_sha"
check "libjpeg-turbo_${debian_version#1:}.debian.tar.xz" "$debian_sha"
mkdir -p "$top/third_party"
(cd "$work/dl" && dpkg-source -x --no-check "libjpeg-turbo_${debian_version#1:}.dsc" "$work/src" >/dev/null 2>&1) ||
  fail "dpkg-source could not unpack libjpeg-turbo"
rm -rf "$dest"
mv "$work/src" "$dest"
echo "fetch-libjpeg: libjpeg-turbo $debian_version in ${dest#$top/}"
