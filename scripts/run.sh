#!/usr/bin/env bash
# Builds Corvel and the virtual controller, starts the controller on a
# pseudo-terminal linked into the workspace folder, points port 1 at it and
# starts Corvel there; the controller stops when Corvel exits. From a
# terminal, the controller's console stays on it while Corvel runs.
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
# From a terminal, the controller's console stays on it so typed commands
# play the vehicle, and Corvel's own output goes to a log; without one, the
# controller reads nothing and writes to a file.
console=no
if [ -t 0 ] && [ -t 1 ]; then console=yes; fi
dvxsim=("$build/tools/dvxsim/dvxsim" --link "$link" --memory "$workspace/dvx-memory.txt")
if [ $console = yes ]; then
    "${dvxsim[@]}" 0<&0 &
else
    "${dvxsim[@]}" </dev/null >"$workspace/dvxsim.out" &
fi
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
# CPU Comm > Simulate DVX CPU runs this build's controller.
export CORVEL_DVXSIM=$build/tools/dvxsim/dvxsim
if [ $console = no ]; then
    "$build/src/corvel"
    exit
fi
"$build/src/corvel" </dev/null >"$workspace/corvel.log" 2>&1 &
corvel_pid=$!
echo "Corvel is running (its messages go to $workspace/corvel.log)."
echo "Type controller commands here: set 0 A 1 1, loop 0, equation 0 A 2, status, help, quit."
wait "$corvel_pid"
