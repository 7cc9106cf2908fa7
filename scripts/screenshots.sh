#!/usr/bin/env bash
# Renders the app shell's screens to PNG files for review (offscreen, against
# an in-process stand-in server with demo data).
# Usage: scripts/screenshots.sh [OUTPUT_DIR [LANGUAGE]]   (default: screenshots/, the
# system's language; LANGUAGE is one the app ships: en, es)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-screenshots}
language=(${2:+"$2"})

bash scripts/setup.sh
build=build-run
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_SANITIZE=OFF \
  -DVANTREL_BENCH=OFF >/dev/null
cmake --build "$build" --target screens_screenshots -j "$(nproc)"

mkdir -p "$out"
QT_QPA_PLATFORM=offscreen "$build/tools/screens_screenshots" "$out" "${language[@]}"
