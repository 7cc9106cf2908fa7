#!/usr/bin/env bash
# Compares the published fault matrix with the one the test run just wrote.
set -euo pipefail
published=${1:?usage: reliability_table.sh PUBLISHED WRITTEN}
written=${2:?usage: reliability_table.sh PUBLISHED WRITTEN}
if [ ! -s "$written" ]; then
  echo "no table at $written: tst_fault_matrix did not finish in this run" >&2
  exit 1
fi
# The soak's figures below the tables come from a separate, longer run.
if ! diff -u <(sed '/^# Soak/,$d' "$published") "$written"; then
  echo "docs/reliability.md is stale. Regenerate it with:" >&2
  echo "  ctest --test-dir build-test -R tst_fault_matrix &&" >&2
  echo "  { cat build-test/reliability.md; sed -n '/^# Soak/,\$p' docs/reliability.md; } > reliability.md && mv reliability.md docs/" >&2
  exit 1
fi
