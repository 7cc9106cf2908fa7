#!/usr/bin/env bash
# Fails when a C++ file under the folder is not as clang-format writes it with
# the repository's .clang-format, and prints the lines that differ.
set -euo pipefail
dir=${1:?usage: format.sh SRC_DIR}
find "$dir" \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z | xargs -0 clang-format --dry-run --Werror
