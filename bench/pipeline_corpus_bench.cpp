// The whole reading conversion on a corpus of everyday sentences, one
// conversion per sentence as the window and the command line run it.
// Reports sentences per second.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_corpus.h"
#include "hangul/question.h"
#include "hangul/word_list.h"
#include "pipeline/options.h"
#include "pipeline/pipeline.h"
#include "pipeline/stage_record.h"

namespace pimoru {
namespace {

void RunCorpus(benchmark::State& state, const Options& options, bool answer) {
  const std::vector<std::u16string>& sentences = CorpusSentences();
  NoWordLists lists;
  FixedAsker asker(answer);
  StageRecord record;
  for (auto _ : state) {
    for (const std::u16string& sentence : sentences) {
      benchmark::DoNotOptimize(
          RunPipeline(sentence, options, lists, asker, record));
    }
  }
  CountSentences(state, sentences.size());
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
