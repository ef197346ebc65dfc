#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
# Absolute paths: the file readers make their launch folder current.
build=$PWD/build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVEL_FUZZ=ON -DCORVEL_TESTS=OFF >/dev/null
cmake --build "$build" --target corvel_fuzz_targets
# A target that crashed leaves its folder, corvel-fuzz-PID-XXXXXX, behind:
# remove those whose process has ended.
for folder in /dev/shm/corvel-fuzz-* /tmp/corvel-fuzz-*; do
    [ -d "$folder" ] || continue
    pid=${folder##*/corvel-fuzz-}
    pid=${pid%%-*}
    case $pid in '' | *[!0-9]*) continue ;; esac
    kill -0 "$pid" 2>/dev/null || [ -d "/proc/$pid" ] || rm -rf -- "$folder"
done
for target in "$build"/fuzz/fuzz_*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    # Text may nest a hundred thousand levels deep in a few hundred
    # kilobytes; the text form's target must be let that far.
    max_len=()
    [ "$name" = fuzz_system_json ] && max_len=(-max_len=262144)
    echo "fuzzing $name for ${seconds}s"
    "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$build/" \
        "${max_len[@]}" "$corpus" "$PWD/fuzz/seeds/$name" \
        >"$build/$name.log" 2>&1 || { tail -n 40 "$build/$name.log"; exit 1; }
done
