#!/usr/bin/env bash
# Builds Corvel with the address and undefined-behaviour sanitizers and runs
# every test. Fuzz targets get a short run when clang is present.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/install-deps.sh

build=${CORVEL_TEST_BUILD:-$root/build/test}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVEL_SANITIZE=ON >/dev/null
cmake --build "$build"

bash scripts/check-format.sh

status=0
(cd "$build" && ctest --output-on-failure -j2 --timeout 600) || status=$?

if command -v clang++ >/dev/null; then
    bash scripts/fuzz.sh "${CORVEL_FUZZ_SECONDS:-5}" || status=1
fi
exit $status
