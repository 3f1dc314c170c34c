#!/usr/bin/env bash
# Whole-process speed of the command line in batch use:
#   pimoru-cli --answers no < corpus > /dev/null   (or ANSWERS=auto)
# over everyday Korean sentences (bench/corpus/sentences.txt, repeated in a
# shuffled order up to the size asked for), with the shipped word lists.
#
#   bench/batch_cli.sh [BUILD_DIR] [MEGABYTES] [DATA_DIR]
#   ANSWERS=auto bench/batch_cli.sh ...   the dictionary answers instead
#   OPTIONS="--read-numbers" bench/batch_cli.sh ...   with more options
#
# BUILD_DIR defaults to build/default (built if needed), MEGABYTES to 32,
# DATA_DIR (the folder holding kdat/) to the data staged in BUILD_DIR.
# Prints, for the whole corpus and for the first quarter and half of its
# lines, and for single lines of three lengths: the input size, the wall
# and CPU time, the throughput in MB of UTF-8 input per second and the peak
# resident memory. The corpora are made under BUILD_DIR/bench-corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
megabytes=${2:-32}
answers=${ANSWERS:-no}
read -r -a options <<<"${OPTIONS:-}"

scripts/install-deps bench
if [ ! -x "$build/bin/pimoru-cli" ]; then
  [ -f "$build/CMakeCache.txt" ] || cmake --preset default >/dev/null
  cmake --build "$build" --target pimoru-cli pimoru_data
fi
cli=$build/bin/pimoru-cli
data=${3:-$build/share/pimoru}
work=$build/bench-corpus
mkdir -p "$work"

# The corpora, made once per size: whole sentences, one a line, each pass
# over the sentences in a fresh order; and single lines of sentences joined
# by spaces.
sentences=bench/corpus/sentences.txt
lines_file=$work/lines-${megabytes}MB.txt
if [ ! -s "$lines_file" ]; then
  target=$((megabytes * 1024 * 1024))
  seed=1
  : >"$lines_file.tmp"
  while [ "$(stat -c %s "$lines_file.tmp")" -lt "$target" ]; do
    grep -v '^$' "$sentences" |
      shuf --random-source=<(yes "$seed") >>"$lines_file.tmp"
    seed=$((seed + 1))
  done
  mv "$lines_file.tmp" "$lines_file"
fi
total_lines=$(wc -l <"$lines_file")
head -n $((total_lines / 4)) "$lines_file" >"$work/quarter.txt"
head -n $((total_lines / 2)) "$lines_file" >"$work/half.txt"
for kilobytes in 256 1024 4096; do
  single=$work/single-${kilobytes}KB.txt
  [ -s "$single" ] && continue
  head -c $((kilobytes * 1024)) "$lines_file" | head -n -1 | tr '\n' ' ' \
    >"$single"
  echo >>"$single"
done

measure() {
  local label=$1 file=$2
  local bytes start end stats
  bytes=$(stat -c %s "$file")
  start=$(date +%s.%N)
  stats=$(/usr/bin/time -f '%U %S %M' "$cli" --data "$data" --answers "$answers" \
            "${options[@]}" <"$file" 2>&1 >/dev/null | tail -n 1)
  end=$(date +%s.%N)
  read -r user system peak_kb <<<"$stats"
  awk -v label="$label" -v bytes="$bytes" -v wall="$(echo "$end - $start" | bc)" \
      -v cpu="$(echo "$user + $system" | bc)" -v peak="$peak_kb" 'BEGIN {
    mb = bytes / 1048576
    printf "%-22s %8.2f MB %8.2f s wall %8.2f s cpu %8.2f MB/s %8.2f MB/s cpu %7.1f MB peak\n",
           label, mb, wall, cpu, mb / wall, mb / (cpu > 0 ? cpu : 0.001), peak / 1024
  }'
}

echo "pimoru-cli --answers $answers ${options[*]}, $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
measure "lines, 1/4" "$work/quarter.txt"
measure "lines, 1/2" "$work/half.txt"
measure "lines, all" "$lines_file"
for kilobytes in 256 1024 4096; do
  measure "one line, ${kilobytes} KB" "$work/single-${kilobytes}KB.txt"
done
