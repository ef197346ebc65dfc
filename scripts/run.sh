#!/usr/bin/env bash
# Builds Corvel and the virtual controller, starts the controller on a
# pseudo-terminal linked into the workspace folder, points port 1 at it and
# starts Corvel there; the controller stops when Corvel exits.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/install-deps.sh

build=$root/build/run
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVEL_TESTS=OFF >/dev/null
cmake --build "$build" --target corvel dvxsim

workspace=${CORVEL_WORKSPACE:-$HOME/corvel-workspace}
mkdir -p "$workspace"
cd "$workspace"

link=$workspace/dvx-com1
if [ -L "$link" ]; then rm -f "$link"; fi
"$build/tools/dvxsim/dvxsim" --link "$link" --memory "$workspace/dvx-memory.txt" \
    </dev/null >"$workspace/dvxsim.out" &
dvxsim_pid=$!
trap 'kill "$dvxsim_pid" 2>/dev/null; wait "$dvxsim_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    [ -L "$link" ] && break
    kill -0 "$dvxsim_pid" 2>/dev/null || break
    sleep 0.1
done
if [ -L "$link" ]; then
    export CORVEL_COM1=$link
    echo "Virtual DVX controller on port 1 ($link)"
else
    echo "The virtual DVX controller did not start; Corvel runs without it." >&2
fi
"$build/src/corvel"
