#!/usr/bin/env bash
# Draws the configuration program's two JPEG pictures (about box and import
# panel) with ImageMagick into config/res/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=$top/config/res
convert -size 64x64 gradient:'#1c4f8c'-'#7fb2e6' \
  -fill white -stroke '#0b2a4d' -strokewidth 2 -draw "rectangle 14,12 22,52 rectangle 42,12 50,52 rectangle 22,28 42,36" \
  -quality 90 "$out/about.jpg"
convert -size 64x64 gradient:'#f3e2a9'-'#c9962e' \
  -fill '#fff7dc' -stroke '#6b4a12' -strokewidth 2 -draw "rectangle 10,20 54,50" \
  -fill '#6b4a12' -stroke none -draw "polygon 32,6 44,18 36,18 36,30 28,30 28,18 20,18" \
  -quality 90 "$out/import.jpg"
