#!/usr/bin/env bash
# Fails when a library includes a header from a layer above it. The layers,
# lowest first: records ← server ← media ← workflow ← screens; the platform
# adapters implement interfaces of the layer that consumes them.
set -euo pipefail
src=${1:?usage: layers.sh SRC_DIR}
declare -A allowed=(
  [records]="records"
  [server]="records server"
  [platform/speech]="platform"
  [platform/auth]="records server platform"
  [media]="records server media platform"
  [workflow]="records server media workflow"
  [platform/print]="records server media workflow platform"
)
status=0
for layer in "${!allowed[@]}"; do
  while IFS= read -r line; do
    file=${line%%:*}
    target=$(sed -E 's/.*#include "([a-z]+)\/.*/\1/' <<<"$line")
    if [[ " ${allowed[$layer]} " != *" $target "* ]]; then
      echo "$file includes from $target/, above $layer/: ${line#*:}"
      status=1
    fi
  done < <(grep -rHE '^#include "[a-z]+/' "$src/$layer" || true)
done
exit $status
