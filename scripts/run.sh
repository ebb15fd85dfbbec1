#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it: kavrinol (default)
# or zelquad. Only that program is built, not the tests and benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."
program="${1:-kavrinol}"
case "$program" in
    kavrinol | zelquad) ;;
    *) echo "usage: scripts/run.sh [kavrinol|zelquad]" >&2; exit 2 ;;
esac
scripts/install-deps.sh
scripts/build.sh "$program"
exec "build/${program}"
