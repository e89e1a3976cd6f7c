#!/usr/bin/env bash
# Takes the documentation pictures of the program (docs/screenshots/*.png,
# and docs/pictures/ drawn by crustex-batch):
# builds the screenshot program and runs it on a virtual X display, where the
# windows are drawn as on a desktop. Needs xvfb-run (package xvfb) and xauth.
#   scripts/screenshots.sh [build-dir]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target ui_screenshots_test -j2
out="$root/docs/screenshots"
mkdir -p "$out"
runtime="$(mktemp -d)"
chmod 700 "$runtime"
CRUSTEX_SCREENSHOT_DIR="$out" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$runtime" \
    xvfb-run -a -s "-screen 0 1280x1024x24" "$build/tests/ui_screenshots_test"
rm -rf "$runtime"
ls -1 "$out"/*.png
# The pictures crustex-batch draws, without any display.
cmake --build "$build" --target crustex-batch -j2
"$build/crustex-batch" render "$root/examples/twenty-sources.wrk.txt" --size 900x717px \
    -o "$root/docs/pictures/batch-twenty-sources-uz.png"
(cd "$root" && "$build/crustex-batch" render examples/map-range.wrk.txt \
    --quantity "Horizontal Displacement" --size 900x717px \
    -o docs/pictures/batch-map-range-displacement.png)
ls -1 "$root/docs/pictures"/*.png
