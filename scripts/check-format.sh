#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from its clang-format layout.
# With --fix, formats the files in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
[ ${#files[@]} -eq 0 ] && exit 0
if [ "${1:-}" = --fix ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
clang-format --dry-run --Werror "${files[@]}"
