#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (KV_JOBS: see build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
ctest --test-dir build --output-on-failure --parallel "${KV_JOBS:-$(nproc)}" --timeout 300
