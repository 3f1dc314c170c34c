// The dictionary's cost: loading its two files, the memory the hanja
// dictionary holds, and a judgement, with the word's readings asked of the
// analyser afresh and kept from before.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "lexicon/hanja_dictionary.h"
#include "lexicon/system_dictionary.h"
#include "lexicon/word_forms.h"

namespace pimoru {
namespace {

void BM_LoadHanjaDictionary(benchmark::State& state) {
  const DictionaryFiles files = FindDictionaryFiles();
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::optional<HanjaDictionary> d =
        HanjaDictionary::FromFile(files.hanja);
    if (!d) {
      state.SkipWithError("no hanja dictionary");
      return;
    }
    bytes = d->Bytes();
  }
  state.counters["MB held"] = static_cast<double>(bytes) / (1 << 20);
}
BENCHMARK(BM_LoadHanjaDictionary)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LoadLexicon(benchmark::State& state) {
  const DictionaryFiles files = FindDictionaryFiles();
  for (auto _ : state) {
    if (!WordForms::Open(files.affix, files.words)) {
      state.SkipWithError("no lexicon");
      return;
    }
  }
}
BENCHMARK(BM_LoadLexicon)->Unit(benchmark::kMillisecond)->Iterations(3);

// Questions as real prose asks them, of every kind.
const std::vector<WordQuestion>& Questions() {
  static const std::vector<WordQuestion> questions = {
      {QuestionKind::kSinoKoreanNasalisation, u"목록을", 0, u""},
      {QuestionKind::kSinoKoreanNasalisation, u"입력하면", 0, u""},
      {QuestionKind::kSinoKoreanTensification, u"개발자들이", 1, u""},
      {QuestionKind::kSinoKoreanTensification, u"빌드하려면", 0, u""},
      {QuestionKind::kFutureAdnominal, u"일반적으로", 0, u""},
      {QuestionKind::kFutureAdnominal, u"결과를", 0, u""},
      {QuestionKind::kListedEnding, u"줄", 0, u"수"},
      {QuestionKind::kNInsertion, u"필요합니다", 0, u""},
      {QuestionKind::kNInsertion, u"사람이에요", 1, u""},
      {QuestionKind::kNInsertion, u"커널이", 1, u""},
  };
  return questions;
}

const SystemDictionary* Loaded() {
  static const std::unique_ptr<SystemDictionary> dictionary = [] {
    auto d = std::make_unique<SystemDictionary>(FindDictionaryFiles());
    return d->Load() ? std::move(d) : nullptr;
  }();
  return dictionary.get();
}

// A judgement whose words were judged before: what a corpus mostly costs.
void BM_JudgeKeptWords(benchmark::State& state) {
  const SystemDictionary* d = Loaded();
  if (d == nullptr) {
    state.SkipWithError("no dictionary");
    return;
  }
  std::size_t k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(d->Judge(Questions()[k]));
    k = (k + 1) % Questions().size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_JudgeKeptWords)->Unit(benchmark::kMicrosecond);

// The analyser alone, asked afresh each time: the cost of a new word.
void BM_AnalyseNewWord(benchmark::State& state) {
  const DictionaryFiles files = FindDictionaryFiles();
  static const std::unique_ptr<WordForms> forms =
      WordForms::Open(files.affix, files.words);
  if (!forms) {
    state.SkipWithError("no lexicon");
    return;
  }
  std::size_t k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(forms->Analyse(Questions()[k].word));
    k = (k + 1) % Questions().size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AnalyseNewWord)->Unit(benchmark::kMicrosecond);

// The hanja dictionary's part of a judgement: cutting a word into words.
void BM_LongestHanjaWord(benchmark::State& state) {
  static const std::optional<HanjaDictionary> hanja =
      HanjaDictionary::FromFile(FindDictionaryFiles().hanja);
  if (!hanja) {
    state.SkipWithError("no hanja dictionary");
    return;
  }
  std::size_t k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(hanja->LongestHanjaWord(Questions()[k].word));
    k = (k + 1) % Questions().size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LongestHanjaWord)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pimoru
