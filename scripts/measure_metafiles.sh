#!/usr/bin/env bash
# Reads every file of the metafile corpus (tests/support/hostile_metafiles.h)
# and the hostile pictures (hostile_pictures.h) as the picture tools read it, one file at a time, and prints a table: file,
# size, result, wall time and peak resident memory of the reading program;
# then compares the ordinary files' pictures with their references
# (bench/metafile_corpus.cpp). A reading is stopped after MEASURE_SECONDS
# (300) and may take no more than MEASURE_GB (8) of address space. The corpus
# and the comparison's PNGs are left in <build folder>/metafile-corpus/.
#   scripts/measure_metafiles.sh [build folder, ./build by default]
# Run it on an otherwise idle machine: the times are wall-clock times.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
seconds="${MEASURE_SECONDS:-300}"
gigabytes="${MEASURE_GB:-8}"
tool="$build/bench/metafile_corpus"
out="$build/metafile-corpus"

cmake --build "$build" --parallel "${KV_JOBS:-3}" --target metafile_corpus >/dev/null
rm -rf "$out"
mkdir -p "$out"
"$tool" write "$out/files"

printf '%-40s %9s  %-24s %9s %9s\n' file bytes result seconds "peak MiB"
for file in "$out"/files/*; do
  set +e
  # timeout sends TERM first, so it outlives the program and its peak memory is counted.
  (ulimit -v $((gigabytes * 1024 * 1024)); exec /usr/bin/time -f '%e %M' -o "$out/time" \
     timeout -k 10 "$seconds" "$tool" read "$file") >"$out/result" 2>"$out/messages"
  status=$?
  set -e
  read -r wall kilobytes < <(tail -n 1 "$out/time")
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    result="> $seconds s, stopped"
  elif [ "$status" -ne 0 ]; then
    result="ended by fault (exit $status)"
    grep -q -i -E 'bad_alloc|out of memory|cannot allocate' "$out/messages" && result="> $gigabytes GB, stopped"
  else
    result="$(tail -n 1 "$out/result")"
  fi
  printf '%-40s %9s  %-24s %9s %9s\n' "$(basename "$file")" "$(stat -c %s "$file")" "$result" "$wall" \
    "$((kilobytes / 1024))"
done

echo
"$tool" compare "$out/compare" 2>/dev/null
