#!/usr/bin/env bash
# Times crustex-batch with hyperfine on the 20-source, 500 x 500 example:
# the grid to netCDF and to CSV, the contour lines, and the picture to PDF.
#   scripts/bench-batch.sh            5 runs each after one warm-up
#   RUNS=10 scripts/bench-batch.sh
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v hyperfine >/dev/null; then
  echo "hyperfine is missing: apt-get install hyperfine" >&2
  exit 1
fi
build=build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" --target crustex-batch
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
batch="$build/crustex-batch"
model=examples/twenty-sources.wrk.txt
hyperfine --warmup 1 --runs "${RUNS:-5}" --export-markdown "$out/times.md" \
  -n "grid to netCDF" "$batch grid $model -o $out/grid.nc" \
  -n "grid to CSV" "$batch grid $model -o $out/grid.csv" \
  -n "contours to GeoJSON" "$batch contours $model -o $out/lines.geojson" \
  -n "render to PDF" "$batch render $model -o $out/picture.pdf"
cat "$out/times.md"
