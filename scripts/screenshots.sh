#!/usr/bin/env bash
# Makes every picture of the documentation again from the committed inputs
# (the work files and the slip model under examples/, the shipped map/ and
# data/):
#   docs/screenshots/*.png  the windows, drawn on a virtual X display by
#                           crustex-screenshots (tools/screenshots.cpp)
#   docs/pictures/*.png     pictures drawn by crustex-batch without any
#                           display: a PNG written directly, and PDFs turned
#                           into PNG with pdftoppm
# Needs xvfb-run (packages xvfb, xauth) and pdftoppm (poppler-utils).
#   scripts/screenshots.sh [build-dir]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target crustex-screenshots crustex-batch -j2

# The windows.
shots="$root/docs/screenshots"
mkdir -p "$shots"
runtime="$(mktemp -d)"
chmod 700 "$runtime"
tmp="$(mktemp -d)"
trap 'rm -rf "$runtime" "$tmp"' EXIT
QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$runtime" \
    xvfb-run -a -s "-screen 0 1280x1024x24" "$build/tools/crustex-screenshots" "$shots"

# crustex-batch: relative paths, as a user runs it in the source tree.
cd "$root"
pictures=docs/pictures
mkdir -p "$pictures"
batch() { "$build/crustex-batch" "$@" 2>/dev/null; }
batch render examples/map-range.wrk.txt --quantity "Horizontal Displacement" \
    --style publication --size 900x717px -o "$pictures/batch-map-range-displacement.png"
# A PDF page (170 mm wide) as a PNG 1000 pixels wide.
pdfpicture() {
  local name="$1"
  shift
  batch render "$@" -o "$tmp/$name.pdf"
  pdftoppm -png -singlefile -scale-to-x 1000 -scale-to-y -1 "$tmp/$name.pdf" "$pictures/$name"
}
for style in screen publication; do
  suffix=""
  [ "$style" = publication ] && suffix="-publication"
  pdfpicture "batch-map-delta-cff$suffix" examples/map-range.wrk.txt \
      --quantity "delta CFF" --style "$style"
  pdfpicture "batch-twenty-displacement-z$suffix" examples/twenty-sources.wrk.txt \
      --quantity "Displacement Z" --style "$style"
  pdfpicture "batch-map-slip-displacement-z$suffix" examples/map-range.wrk.txt \
      --slip examples/slip-example.csv --quantity "Displacement Z" --style "$style"
  pdfpicture "batch-fringes$suffix" examples/fringes-example.wrk.txt \
      --quantity "Wrapped Fringes" --style "$style"
done
ls -l "$shots"/*.png "$pictures"/*.png
