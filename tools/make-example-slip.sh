#!/usr/bin/env bash
# Regenerates the made-up slip model in examples/: slip-example.inp (the
# whole model as a .inp file: 288 patches of elliptical slip on a 30-degree
# thrust, two receivers, Grid Parameters, Map info over 34-36 N, 134-137 E)
# and slip-example.csv (the same patches in the program's patch CSV, centres
# in degrees). Nothing in them is a real earthquake (tools/exampleslip.cpp).
# The output is the same on every run.
# Usage: tools/make-example-slip.sh [build directory, default build]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
cmake --build "$build" --target crustex-convert >/dev/null
"$build/tools/crustex-convert" example-slip "$root/examples"
echo "wrote $root/examples/slip-example.inp and slip-example.csv"
