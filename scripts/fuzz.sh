#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on) in build-fuzz and runs each one for a fixed
# time. Usage: scripts/fuzz.sh [seconds per target, default 60] [target ...]
# Needs clang and libclang-rt-14-dev. New corpus entries stay in
# build-fuzz/corpus/<target>; crashes are written to build-fuzz/crashes/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"
seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(recordreader workfile sourcefile settingsfile)

for tool in clang clang++; do
  command -v "$tool" >/dev/null || { echo "fuzz.sh: $tool is not installed" >&2; exit 1; }
done

flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -g -O1"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCRUSTEX_BUILD_UI=OFF -DCRUSTEX_BUILD_TESTS=OFF -DCRUSTEX_BUILD_FUZZ=ON \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$build" -j2 --target "${targets[@]/#/fuzz_}"

mkdir -p "$build/crashes"
status=0
for t in "${targets[@]}"; do
  mkdir -p "$build/corpus/$t"
  echo "== fuzz_$t for ${seconds}s"
  log="$build/fuzz_$t.log"
  if ! "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
      -artifact_prefix="$build/crashes/$t-" -print_final_stats=1 \
      "$build/corpus/$t" "$root/fuzz/corpus/$t" >"$log" 2>&1; then
    echo "fuzz_$t FOUND A CRASH: see $log and $build/crashes/" >&2
    status=1
  fi
  grep -E "stat::number_of_executed_units|Done [0-9]+ runs" "$log" | tail -2 || true
done
exit $status
