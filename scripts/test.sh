#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, runs every test (the sale by accessible names
# included, on the sanitized app and stand-in), then fuzzes the decoders briefly.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/setup.sh

jobs=$(nproc)
build=build-test
# -O1 with line tables only: sanitizer reports keep file and line, and the
# build stays quick on a small machine. Benchmarks are built by bench.sh.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1 -g1" \
  -DVANTREL_SANITIZE=ON -DVANTREL_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=0"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen

# UI and keychain tests need a display and a session bus; give them private ones.
xvfb-run -a -s "-screen 0 1600x1200x24" dbus-run-session -- \
  ctest --test-dir "$build" --output-on-failure -j "$jobs"

bash scripts/fuzz.sh
