#!/usr/bin/env bash
# Builds the benchmark programs under bench/ in a Release build and runs each.
#   scripts/bench.sh                 all bench_* programs
#   scripts/bench.sh <args...>       extra arguments for every program,
#                                    e.g. --benchmark_filter=Rect
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-bench

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCRUSTEX_BUILD_BENCH=ON \
      -DCRUSTEX_BUILD_UI=OFF -DCRUSTEX_BUILD_TESTS=OFF
cmake --build "$build" -j "$(nproc)"

found=0
for exe in "$build"/bench/bench_*; do
  [ -x "$exe" ] || continue
  found=1
  echo "== $(basename "$exe")"
  "$exe" "$@"
done
if [ "$found" -eq 0 ]; then
  echo "No benchmark programs were built." >&2
  exit 1
fi
