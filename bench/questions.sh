#!/usr/bin/env bash
# How many questions the conversion asks per 100 lines of real prose,
# without the dictionary and with it (those left to the user under
# --answers ask), with N-insertion off and on:
#
#   bench/questions.sh [BUILD_DIR]
#
# on the everyday sentences of bench/corpus/sentences.txt and on the
# sentences of the Korean Debian FAQ (package debian-faq-ko, drawn by
# bench/faq_corpus.py into BUILD_DIR/bench-corpus/faq.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}

scripts/install-deps bench
if [ ! -x "$build/bench/pimoru_question_count" ]; then
  [ -f "$build/CMakeCache.txt" ] || cmake --preset default >/dev/null
  cmake --build "$build" --target pimoru_question_count pimoru_data
fi
count=$build/bench/pimoru_question_count
data=$build/share/pimoru
mkdir -p "$build/bench-corpus"
faq=$build/bench-corpus/faq.txt
[ -s "$faq" ] || bench/faq_corpus.py >"$faq"

for corpus in bench/corpus/sentences.txt "$faq"; do
  for n_insert in "" --n-insert; do
    echo "== $corpus $n_insert"
    # shellcheck disable=SC2086
    "$count" "$data" $n_insert <"$corpus"
  done
done
