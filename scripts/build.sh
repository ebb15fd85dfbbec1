#!/usr/bin/env bash
# Configures and builds everything into ./build (Release-like, with debug info).
# KV_JOBS limits the parallel jobs (all cores by default).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel "${KV_JOBS:-$(nproc)}"
