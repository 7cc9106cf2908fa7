#!/usr/bin/env bash
# Compares the published fault matrix with the one the test run just wrote.
set -euo pipefail
published=${1:?usage: reliability_table.sh PUBLISHED WRITTEN}
written=${2:?usage: reliability_table.sh PUBLISHED WRITTEN}
if [ ! -s "$written" ]; then
  echo "no table at $written: tst_fault_matrix did not finish in this run" >&2
  exit 1
fi
if ! diff -u "$published" "$written"; then
  echo "docs/reliability.md is stale. Regenerate it with:" >&2
  echo "  ctest --test-dir build-test -R tst_fault_matrix && cp build-test/reliability.md docs/reliability.md" >&2
  exit 1
fi
