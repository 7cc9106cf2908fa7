#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a short fixed time.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-20}
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVANTREL_FUZZ=ON -DVANTREL_APP=OFF -DVANTREL_BENCH=OFF >/dev/null
targets=$(cmake --build "$build" --target help | sed -n 's/^\(fuzz_[a-z_0-9]*\): phony$/\1/p' | grep -v -E '_autogen(_timestamp_deps)?$' || true)
# A build that finds no target has nothing fuzzed: a failure, not a pass.
[ -n "$targets" ] || { echo "fuzz: no fuzz_* targets in $build" >&2; exit 1; }
for t in $targets; do
  cmake --build "$build" --target "$t" -j "$(nproc)"
  mkdir -p "$build/corpus/$t"
  echo "fuzzing $t for ${seconds}s"
  # A target with seeds of its own (fuzz/seeds/money for fuzz_money) starts from those.
  seeds=fuzz/seeds/${t#fuzz_}
  [ -d "$seeds" ] || seeds=fuzz/seeds
  "$build/fuzz/$t" -max_total_time="$seconds" -max_len=65536 -print_final_stats=0 \
    "$build/corpus/$t" "$seeds" 2>&1 | tail -n 3
done
