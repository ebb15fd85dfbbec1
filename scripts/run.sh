#!/usr/bin/env bash
# Installs what is missing, builds, and starts a program: kavrinol (default) or zelquad.
set -euo pipefail
cd "$(dirname "$0")/.."
program="${1:-kavrinol}"
scripts/install-deps.sh
scripts/build.sh
exec "build/${program}"
