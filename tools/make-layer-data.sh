#!/usr/bin/env bash
# Regenerates the shipped topography tiles and earthquake catalogue, each by
# the same path a user takes with data of their own (see README, "Map layer
# data"):
#   map/1km/*.tem      1 km-mesh topography tiles for 33-37 N x 132-138 E
#                      (the default map range and its neighbours) and for
#                      22.67-25.33 N x 120-123 E (Taiwan around Hualien,
#                      where the shipped catalogue has its events),
#                      resampled from ETOPO5 (5 arc-minutes, about 9 km) in
#                      Debian's ferret-datasets: 9 km data on a 1 km mesh
#   data/Vhyp102.ep    the earthquake catalogue from the USGS "all earthquakes,
#                      past week" feed of 2018-01-31..02-07 in npm's
#                      vega-datasets 3.2.1 (data/earthquakes.json)
# Usage: tools/make-layer-data.sh [path to crustex-convert]
# (default: build/tools/crustex-convert; build it first). Needs gmt,
# ferret-datasets, npm and node.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
convert="${1:-$root/build/tools/crustex-convert}"
etopo=/usr/share/ferret-vis/data/etopo5.cdf
for tool in gmt npm node; do
  if ! command -v "$tool" >/dev/null; then
    echo "make-layer-data.sh: needs $tool (apt-get install gmt ferret-datasets npm)" >&2
    exit 1
  fi
done
if [ ! -f "$etopo" ]; then
  echo "make-layer-data.sh: $etopo missing (apt-get install ferret-datasets)" >&2
  exit 1
fi
if [ ! -x "$convert" ]; then
  echo "make-layer-data.sh: $convert not found: build crustex-convert first" >&2
  exit 1
fi
convert="$(realpath "$convert")"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"  # GMT leaves its gmt.history in the working directory

# Topography: resample to the 1 km mesh (45" x 30" cells, pixel registered,
# so that the values stand at the mesh cell centres), write "lon lat z" and
# cut it into tiles. Sea comes out as -9999. The Taiwan region is whole
# tiles (40' x 1 deg), so no tile there is cut at the region's edge.
: >"$tmp/topo.xyz"
for region in 132/138/33/37 120/123/22:40/25:20; do
  gmt grdsample "$etopo" -R"$region" -I45s/30s -r -G"$tmp/topo.nc"
  gmt grd2xyz "$tmp/topo.nc" >>"$tmp/topo.xyz"
done
rm -rf "$root/map/1km"
"$convert" dem 1km "$tmp/topo.xyz" "$root/map/1km"

# Earthquakes: the feed is GeoJSON; write it as the event service's CSV
# (time,latitude,longitude,depth,mag with ISO times) and convert that.
npm install --silent --no-audit --no-fund vega-datasets@3.2.1 >/dev/null
node -e '
  const fs = require("fs");
  const quakes = JSON.parse(fs.readFileSync(process.argv[1], "utf8"));
  const rows = ["time,latitude,longitude,depth,mag"];
  for (const f of quakes.features) {
    const [lon, lat, depth] = f.geometry.coordinates;
    const mag = f.properties.mag;
    rows.push([new Date(f.properties.time).toISOString(), lat, lon, depth,
               mag === null ? "" : mag].join(","));
  }
  fs.writeFileSync(process.argv[2], rows.join("\n") + "\n");
' "$tmp/node_modules/vega-datasets/data/earthquakes.json" "$tmp/quakes.csv"
mkdir -p "$root/data"
"$convert" events "$tmp/quakes.csv" "$root/data/Vhyp102.ep"
