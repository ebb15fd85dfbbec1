#!/usr/bin/env bash
# Configures and builds into ./build (Release-like, with debug info): the given
# targets, or everything (programs, tests, benchmarks) when none is given.
# KV_JOBS limits the parallel jobs (all cores by default).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
targets=()
for target in "$@"; do
    targets+=(--target "$target")
done
cmake --build build --parallel "${KV_JOBS:-$(nproc)}" "${targets[@]}"
