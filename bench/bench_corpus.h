// The bench corpus of everyday sentences, shared by the benchmarks that
// run one conversion per sentence.
#ifndef PIMORU_BENCH_BENCH_CORPUS_H_
#define PIMORU_BENCH_BENCH_CORPUS_H_

#include <benchmark/benchmark.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "hangul/utf.h"

namespace pimoru {

// bench/corpus/sentences.txt: UTF-8, one sentence a line.
inline const std::vector<std::u16string>& CorpusSentences() {
  static const std::vector<std::u16string> sentences = [] {
    const std::filesystem::path file = PIMORU_SENTENCES_FILE;
    std::ifstream in(file);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::vector<std::u16string> lines;
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty()) lines.push_back(Utf8ToUtf16Lossy(line));
    }
    return lines;
  }();
  return sentences;
}

// Reports the sentences handled per second.
inline void CountSentences(benchmark::State& state, std::size_t per_run) {
  state.counters["sentences/s"] =
      benchmark::Counter(static_cast<double>(state.iterations() * per_run),
                         benchmark::Counter::kIsRate);
}

}  // namespace pimoru

#endif  // PIMORU_BENCH_BENCH_CORPUS_H_
