// ReplaceAll and the reading conversion on texts of 1 KB to 1 MB: the time
// per byte should stay flat across the range.
#include <benchmark/benchmark.h>

#include <string>

#include "hangul/jamo.h"
#include "hangul/question.h"
#include "hangul/word_list.h"
#include "pipeline/pipeline.h"

namespace pimoru {
namespace {

// A sentence rich in the junctions the rules rewrite, repeated up to `bytes`
// bytes of UTF-16.
std::u16string SampleText(std::size_t bytes) {
  constexpr std::u16string_view kSentence =
      u"같이 먹었어요 국물이 좋고 값 없이 학교에 갔습니다 ";
  std::u16string text;
  while (text.size() * 2 < bytes) text += kSentence;
  text.resize(bytes / 2);
  return text;
}

void BM_ReplaceAll(benchmark::State& state) {
  const std::u16string jamo = DecomposeText(SampleText(state.range(0)));
  // final ㄱ + initial ㅇ: occurs in every sentence
  const std::u16string pattern = {fin::kGiyeok, ini::kIeung};
  const std::u16string replacement = {ini::kGiyeok};
  for (auto _ : state) {
    std::u16string text = jamo;
    benchmark::DoNotOptimize(ReplaceAll(text, pattern, replacement));
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReplaceAll)->RangeMultiplier(10)->Range(1 << 10, 1 << 20);

void BM_Pipeline(benchmark::State& state) {
  const std::u16string text = SampleText(state.range(0));
  NoWordLists lists;
  FixedAsker asker(false);
  StageRecord record;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        RunPipeline(text, Options{}, lists, asker, record));
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Pipeline)->RangeMultiplier(10)->Range(1 << 10, 1 << 20);

}  // namespace
}  // namespace pimoru
