#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang into ./build-fuzz and runs each
# one for FUZZ_SECONDS (20 by default) from its seeds in fuzz/seeds/<target>/
# and the seeds the build writes (build-fuzz/limit-seeds/<target>/): for a
# reader with a record limit, at the limit and one record past it; for the
# picture reader, hostile metafiles.
# Twenty seconds a target keeps the whole step near six minutes with fifteen
# targets; a longer run (FUZZ_SECONDS=120) before a change to a reader is worth it.
# A finding fails the script: the fuzzer's report and the input that caused it
# (hex and base64) are printed, and the input is kept in build-fuzz/findings/.
# Replay one with: build-fuzz/fuzz/<target> <input file>
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-20}"
jobs="${KV_JOBS:-$(nproc)}"

WITH_FUZZ=1 scripts/install-deps.sh
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DKV_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build-fuzz --parallel "$jobs" --target fuzz_targets

# Leaks are findings, but for the font library's caches, which live as long
# as the process.
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan-suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

status=0
for source in fuzz/fuzz_*.cpp; do
  name="$(basename "$source" .cpp)"
  seeds="fuzz/seeds/$name"
  if [ ! -d "$seeds" ] || [ -z "$(ls -A "$seeds")" ]; then
    echo "fuzz: $name has no seeds in $seeds" >&2
    status=1
    continue
  fi
  # Also the seeds the build wrote: at a reader's record limit and one record
  # past it, or the picture reader's hostile metafiles.
  seed_dirs=("$seeds")
  if [ -d "build-fuzz/limit-seeds/$name" ]; then
    seed_dirs+=("build-fuzz/limit-seeds/$name")
  fi
  corpus="build-fuzz/corpus/$name"
  findings="build-fuzz/findings/$name"
  log="build-fuzz/$name.log"
  rm -rf "$findings"
  mkdir -p "$corpus" "$findings"
  # Inputs as long as the longest seed, at least 4 KiB: a whole sound file
  # must fit, or the fuzzer only ever sees it cut short.
  max_len="$(find "${seed_dirs[@]}" -type f -printf '%s\n' | sort -n | tail -n 1)"
  [ "$max_len" -ge 4096 ] || max_len=4096
  # -timeout: one input running longer than that is a hang, and a finding.
  if "build-fuzz/fuzz/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -max_len="$max_len" -print_final_stats=1 -artifact_prefix="$findings/" \
       "$corpus" "${seed_dirs[@]}" >"$log" 2>&1; then
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
    echo "fuzz: $name: ${runs:-?} inputs in ${seconds}s, no finding"
  else
    status=1
    echo "fuzz: $name FOUND A FAULT; the fuzzer's report:"
    grep -v -E '^#[0-9]+' "$log" | tail -n 80
    for input in "$findings"/*; do
      [ -f "$input" ] || continue
      echo "fuzz: input that caused it, $input ($(stat -c %s "$input") bytes):"
      od -A x -t x1z -v "$input" | head -n 64
      echo "base64: $(base64 -w 0 "$input")"
    done
  fi
done
exit "$status"
