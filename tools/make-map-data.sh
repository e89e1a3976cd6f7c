#!/usr/bin/env bash
# Regenerates the shipped background maps from GSHHG coast lines and national
# borders, cut out by Debian's GMT (packages gmt, gmt-gshhg-low,
# gmt-gshhg-high), and converted by crustex-convert:
#   map/japanv.map        Japan, 20-56 N x 120-156 E, high resolution,
#                         tiles of 2 deg latitude x 1 deg longitude
#   map/world/japanv.map  the globe, low resolution, tiles of 10 x 10 deg
# Usage: tools/make-map-data.sh [path to crustex-convert]
# (default: build/tools/crustex-convert; build it first).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
convert="${1:-$root/build/tools/crustex-convert}"
if ! command -v gmt >/dev/null; then
  echo "make-map-data.sh: needs GMT (apt-get install gmt gmt-gshhg-low gmt-gshhg-high)" >&2
  exit 1
fi
if [ ! -x "$convert" ]; then
  echo "make-map-data.sh: $convert not found: build crustex-convert first" >&2
  exit 1
fi
convert="$(cd "$(dirname "$convert")" && pwd)/$(basename "$convert")"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"  # GMT leaves its gmt.history in the working directory

# make REGION(W/E/S/N, as GMT's -R) RESOLUTION(c l i h f) TILE(LATxLON) OUTPUT
make() {
  # -W: every shore level (coasts, lakes, islands in lakes); -N1: national
  # borders. -M writes one "> ..." header per piece; border pieces come
  # from their own file.
  gmt coast -R"$1" -D"$2" -W -M >"$tmp/coast.txt"
  gmt coast -R"$1" -D"$2" -N1 -M >"$tmp/border.txt"
  mkdir -p "$(dirname "$4")"
  "$convert" map --region "$1" --tile "$3" --output "$4" "$tmp/coast.txt" --border "$tmp/border.txt"
}

make 120/156/20/56 h 2x1 "$root/map/japanv.map"
make -180/180/-90/90 l 10x10 "$root/map/world/japanv.map"
echo "GMT $(gmt --version), GSHHG $(dpkg-query -W -f '${Version}' gmt-gshhg-high 2>/dev/null || echo '?')"
