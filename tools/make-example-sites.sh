#!/usr/bin/env bash
# Regenerates the synthetic site example in examples/: the made-up model
# (sites-example.wrk.txt, one strike-slip fault, map on over 34-36 N,
# 134-137 E) and its 30 observation sites (sites-example.obs.txt) on a
# regular latitude/longitude lattice, observed = computed + Gaussian noise of
# 2 mm east and north and 4 mm up from a fixed seed (tools/examplesites.cpp),
# with an "obsig3" block of those sigmas.
# Nothing in them is a real place or measurement. The output is the same on
# every run. Usage: tools/make-example-sites.sh [build directory, default build]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
cmake --build "$build" --target crustex-convert >/dev/null
"$build/tools/crustex-convert" example-sites "$root/examples"
echo "wrote $root/examples/sites-example.wrk.txt and sites-example.obs.txt"
