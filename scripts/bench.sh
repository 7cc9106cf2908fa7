#!/usr/bin/env bash
# Builds the Google Benchmark programs in a Release build and runs each; every
# program prints its ratio against a baseline measured in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_APP=ON -DVANTREL_BENCH=ON >/dev/null
targets=$(cmake --build "$build" --target help | sed -n 's/^\(bench_[a-z_0-9]*\): phony$/\1/p' | grep -v -E '_autogen(_timestamp_deps)?$' || true)
for t in $targets; do
  cmake --build "$build" --target "$t" -j "$(nproc)"
done
for t in $targets; do
  echo "== $t"
  exe=$(find "$build/bench" -maxdepth 2 -type f -name "$t" -perm -u+x | head -n 1)
  QT_QPA_PLATFORM=offscreen "$exe" "$@"
done
