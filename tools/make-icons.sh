#!/usr/bin/env bash
# Renders the program icon packaging/icons/crustex.svg to the PNG sizes an
# icon theme wants (packaging/icons/crustex-<size>.png), so that the build
# needs no SVG renderer. Run from the repository root after changing the SVG:
#   tools/make-icons.sh
# (needs rsvg-convert from Debian's librsvg2-bin; the build does not).
set -euo pipefail
command -v rsvg-convert >/dev/null || { echo "needs rsvg-convert (apt-get install librsvg2-bin)" >&2; exit 1; }
for size in 16 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" packaging/icons/crustex.svg \
    --output "packaging/icons/crustex-$size.png"
done
