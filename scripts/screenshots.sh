#!/usr/bin/env bash
# Writes a picture of every dialog and window of Corvel into FOLDER/100 and
# FOLDER/200 (100% and 200% scale), or only of the NAMEs given:
#   bash scripts/screenshots.sh [FOLDER] [NAME...]
# FOLDER defaults to build/screenshots. Builds corvel-shots in the test build
# tree (CORVEL_SHOTS_BUILD to choose another). A new dialog gets its picture
# from one line in tools/shots/ShotTable.cpp.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$(realpath -m "${1:-$root/build/screenshots}")
[ $# -gt 0 ] && shift

build=${CORVEL_SHOTS_BUILD:-$root/build/test}
if [ ! -f "$build/CMakeCache.txt" ]; then
    bash scripts/install-deps.sh
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVEL_SANITIZE=ON >/dev/null
fi
cmake --build "$build" --target corvel-shots

export ASAN_OPTIONS=detect_leaks=0
for scale in 1 2; do
    "$build/tools/shots/corvel-shots" --scale "$scale" "$out/$((scale * 100))" "$@"
done
