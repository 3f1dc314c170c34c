// The whole reading conversion on a corpus of everyday sentences, one
// conversion per sentence as the window and the command line run it.
// Reports sentences per second.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "hangul/question.h"
#include "hangul/utf.h"
#include "hangul/word_list.h"
#include "pipeline/options.h"
#include "pipeline/pipeline.h"
#include "pipeline/stage_record.h"

namespace pimoru {
namespace {

// bench/corpus/sentences.txt: UTF-8, one sentence a line.
const std::vector<std::u16string>& Corpus() {
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

void RunCorpus(benchmark::State& state, const Options& options, bool answer) {
  const std::vector<std::u16string>& sentences = Corpus();
  NoWordLists lists;
  FixedAsker asker(answer);
  StageRecord record;
  for (auto _ : state) {
    for (const std::u16string& sentence : sentences) {
      benchmark::DoNotOptimize(
          RunPipeline(sentence, options, lists, asker, record));
    }
  }
  state.counters["sentences/s"] = benchmark::Counter(
      static_cast<double>(state.iterations() * sentences.size()),
      benchmark::Counter::kIsRate);
}

// The defaults, every question answered No.
void BM_PipelineCorpus(benchmark::State& state) {
  RunCorpus(state, Options{}, false);
}
BENCHMARK(BM_PipelineCorpus)->Unit(benchmark::kMillisecond);

// Every stage on and every question answered Yes: the most rewriting.
void BM_PipelineCorpusAllYes(benchmark::State& state) {
  Options options;
  options.n_insert_flg = true;
  RunCorpus(state, options, true);
}
BENCHMARK(BM_PipelineCorpusAllYes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pimoru
