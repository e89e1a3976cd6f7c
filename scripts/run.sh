#!/usr/bin/env bash
# Installs what is missing, builds CRUSTEX and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
"$(pwd)/scripts/setup-deps.sh"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(nproc)" --target crustex
exec ./build/crustex
