#!/usr/bin/env bash
# The cost of speech:
#   1. the synthesis of a typical sentence (31 syllables of reading Hangul),
#      at the normal and the slow speed;
#   2. the synthesiser's start: pimoru-cli with --audio for one word, against
#      the same run without it;
#   3. pimoru-cli --audio over 1,000 lines of the bench corpus: the time and
#      the megabytes of sound written;
#   4. with a second build (BASELINE_DIR, e.g. one without speech): the batch
#      without --audio, both builds in turn, and the median of the ratios of
#      their CPU times.
#
#   bench/speech.sh [BUILD_DIR] [BASELINE_DIR]
#
# BUILD_DIR defaults to build/default (built if needed). RUNS (default 5)
# sets the runs of each timed command; MEGABYTES (default 8) the size of the
# batch corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
baseline=${2:-}
runs=${RUNS:-5}
megabytes=${MEGABYTES:-8}

scripts/install-deps bench
[ -f "$build/CMakeCache.txt" ] || cmake --preset default >/dev/null
cmake --build "$build" --target pimoru-cli pimoru_data pimoru_speech_bench
cli=$build/bin/pimoru-cli
data=$build/share/pimoru
work=$build/bench-speech
mkdir -p "$work"

# The wall time of one run of a command, in seconds; its input is the
# caller's.
wall_of() {
  /usr/bin/time -f '%e' -o "$work/time" "$@" >/dev/null 2>&1 || true
  tail -n 1 "$work/time"
}
median() {
  printf '%s\n' "$@" | sort -g | awk '{ a[NR] = $1 }
    END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'
}
# The median wall time of `runs` runs of a command.
median_wall() {
  local times=()
  for _ in $(seq "$runs"); do times+=("$(wall_of "$@")"); done
  median "${times[@]}"
}

echo "== synthesis of one sentence ($(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg))"
"$build/bench/pimoru_speech_bench" --benchmark_repetitions="$runs" \
  --benchmark_report_aggregates_only=true 2>/dev/null | grep -E 'median|Benchmark'

echo "== the synthesiser's start (pimoru-cli, one word, median of $runs)"
with=$(median_wall "$cli" --data "$data" --answers no --audio "$work/one" 국물)
without=$(median_wall "$cli" --data "$data" --answers no 국물)
echo "with --audio ${with} s, without ${without} s"

echo "== --audio over 1,000 lines of the bench corpus"
lines=$work/lines-1000.txt
grep -v '^$' bench/corpus/sentences.txt | shuf --random-source=<(yes 1) |
  head -n 1000 >"$lines"
while [ "$(wc -l <"$lines")" -lt 1000 ]; do
  grep -v '^$' bench/corpus/sentences.txt >>"$lines"
  head -n 1000 "$lines" >"$lines.tmp" && mv "$lines.tmp" "$lines"
done
rm -rf "$work/cards"
stats=$( { /usr/bin/time -f '%e %U %S %M' "$cli" --data "$data" --answers no \
             --audio "$work/cards" <"$lines" >/dev/null; } 2>&1 | tail -n 1)
read -r wall user system peak_kb <<<"$stats"
files=$(find "$work/cards" -name '*.wav' | wc -l)
bytes=$(du -sb "$work/cards" | cut -f1)
awk -v wall="$wall" -v cpu="$(echo "$user + $system" | bc)" -v files="$files" \
    -v bytes="$bytes" -v peak="$peak_kb" 'BEGIN {
  printf "%d files, %.1f MB written, %.2f s wall, %.2f s cpu, %.1f MB peak\n",
         files, bytes / 1048576, wall, cpu, peak / 1024
}'

[ -n "$baseline" ] || exit 0
echo "== the batch without --audio, $megabytes MB: this build against $baseline"
corpus=$work/corpus-${megabytes}MB.txt
if [ ! -s "$corpus" ]; then
  while [ "$(stat -c %s "$corpus" 2>/dev/null || echo 0)" -lt \
          $((megabytes * 1024 * 1024)) ]; do
    cat "$lines" >>"$corpus"
  done
fi
# Both builds in turn, so a drift of the machine's speed touches both; the
# CPU time (user + system) is less moved by other load than the wall time.
cpu_of() {
  /usr/bin/time -f '%U %S' -o "$work/time" "$@" >/dev/null 2>&1 || true
  tail -n 1 "$work/time" | awk '{ print $1 + $2 }'
}
new=() old=() ratios=()
for _ in $(seq "$runs"); do
  n=$(cpu_of "$cli" --data "$data" --answers no <"$corpus")
  o=$(cpu_of "$baseline/bin/pimoru-cli" --data "$data" --answers no <"$corpus")
  new+=("$n") old+=("$o")
  ratios+=("$(awk -v n="$n" -v o="$o" 'BEGIN { print n / o }')")
done
echo "cpu s, medians of $runs: this build $(median "${new[@]}")," \
     "baseline $(median "${old[@]}"), ratio $(median "${ratios[@]}")"
