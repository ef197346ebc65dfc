#!/usr/bin/env bash
# Builds Corvel and starts it in its workspace folder.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/install-deps.sh

build=$root/build/run
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVEL_TESTS=OFF >/dev/null
cmake --build "$build" --target corvel

workspace=${CORVEL_WORKSPACE:-$HOME/corvel-workspace}
mkdir -p "$workspace"
cd "$workspace"
exec "$build/src/corvel"
