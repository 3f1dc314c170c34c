#!/usr/bin/env bash
# Whole-process time of the dictionary's answers on text typed without
# spaces: one line of Hangul alone (the sentences of bench/corpus with their
# spaces and punctuation taken out, repeated), of 64 KB, 256 KB and 1 MB,
# through
#   pimoru-cli --answers auto < line > /dev/null
# Every junction of such a line is one word's, so each question's cost must
# not grow with the line: the time beyond the start (the run of an empty
# line, which loads the dictionary) should grow as the line does.
#
#   bench/unspaced_auto.sh [BUILD_DIR] [DATA_DIR]
#
# BUILD_DIR defaults to build/default (built if needed), DATA_DIR (the
# folder holding kdat/) to the data staged in BUILD_DIR. Prints, for each
# size, the CPU time, the time beyond the start, that time per MB, and how
# it stands to the 64 KB line's: near 1 where the cost is linear, near 16
# for the 1 MB line where it is quadratic.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}

if [ ! -x "$build/bin/pimoru-cli" ]; then
  [ -f "$build/CMakeCache.txt" ] || cmake --preset default >/dev/null
  cmake --build "$build" --target pimoru-cli pimoru_data
fi
cli=$build/bin/pimoru-cli
data=${2:-$build/share/pimoru}
work=$build/bench-corpus
mkdir -p "$work"

# Hangul syllables only, 1 MB and more of them.
hangul=$work/unspaced.txt
if [ ! -s "$hangul" ]; then
  : >"$hangul.tmp"
  while [ "$(stat -c %s "$hangul.tmp")" -lt $((1024 * 1024)) ]; do
    perl -CSD -ne 'print /[\x{AC00}-\x{D7A3}]/g' bench/corpus/sentences.txt \
      >>"$hangul.tmp"
  done
  mv "$hangul.tmp" "$hangul"
fi
for kilobytes in 64 256 1024; do
  line=$work/unspaced-${kilobytes}KB.txt
  [ -s "$line" ] && continue
  # Whole syllables of three bytes each, then a line feed.
  head -c $((kilobytes * 1024 / 3 * 3)) "$hangul" >"$line"
  echo >>"$line"
done

# The CPU time (user and system) of the best of three runs, which the load
# of a busy machine disturbs less than the wall time.
cpu_seconds() {
  local best= run stats
  for run in 1 2 3; do
    stats=$(/usr/bin/time -f '%U %S' "$cli" --data "$data" --answers auto \
              <"$1" 2>&1 >/dev/null | tail -n 1)
    stats=$(echo "$stats" | awk '{ print $1 + $2 }')
    if [ -z "$best" ] || [ "$(echo "$stats < $best" | bc)" = 1 ]; then
      best=$stats
    fi
  done
  echo "$best"
}

echo "pimoru-cli --answers auto on one unspaced line, CPU time, best of 3," \
  "$(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
empty=$work/empty-line.txt
echo >"$empty"
start=$(cpu_seconds "$empty")
printf '%-10s %8.2f s (loading the dictionary)\n' "empty" "$start"
per_mb_64kb=
for kilobytes in 64 256 1024; do
  cpu=$(cpu_seconds "$work/unspaced-${kilobytes}KB.txt")
  awk -v label="${kilobytes} KB" -v cpu="$cpu" -v start="$start" \
      -v mb="$(echo "$kilobytes / 1024" | bc -l)" -v base="$per_mb_64kb" 'BEGIN {
    beyond = cpu - start
    per_mb = beyond / mb
    printf "%-10s %8.2f s %8.2f s beyond the start %8.2f s per MB", label, cpu, beyond, per_mb
    if (base != "") printf " %6.2f x the 64 KB line'"'"'s", per_mb / base
    printf "\n"
  }'
  if [ -z "$per_mb_64kb" ]; then
    per_mb_64kb=$(echo "($cpu - $start) * 1024 / $kilobytes" | bc -l)
  fi
done
