#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on) in build-fuzz and runs each one for a fixed
# time. Usage: scripts/fuzz.sh [seconds per target, default 60] [target ...]
# An input that takes more than 10 s is reported as a hang.
# Needs clang and libclang-rt-14-dev. New corpus entries stay in
# build-fuzz/corpus/<target>; crashes are written to build-fuzz/crashes/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"
seconds="${1:-60}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  # Every fuzz/<name>_fuzz.cpp.
  for src in "$root"/fuzz/*_fuzz.cpp; do
    name="$(basename "$src" _fuzz.cpp)"
    targets+=("$name")
  done
fi

# clang and its runtime libraries (libFuzzer, sanitizers) are only needed
# here, so they are installed here rather than by setup-deps.sh.
missing=()
for p in clang libclang-rt-14-dev; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "fuzz.sh: install ${missing[*]} (as root) first" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

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
      -timeout=10 \
      -artifact_prefix="$build/crashes/$t-" -print_final_stats=1 \
      "$build/corpus/$t" "$root/fuzz/corpus/$t" >"$log" 2>&1; then
    echo "fuzz_$t FOUND A CRASH: see $log and $build/crashes/" >&2
    status=1
  fi
  grep -E "stat::number_of_executed_units|Done [0-9]+ runs" "$log" | tail -2 || true
done
exit $status
