// The spelling out of numbers, units and Latin capitals on the corpus, with
// numbers mixed into every other sentence, beside the reading conversion of
// the same sentences as typed and as spelled: what reading numbers before
// the stages costs a conversion. Reports sentences per second.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "bench_corpus.h"
#include "hangul/question.h"
#include "hangul/word_list.h"
#include "pipeline/number_reading.h"
#include "pipeline/options.h"
#include "pipeline/pipeline.h"
#include "pipeline/stage_record.h"

namespace pimoru {
namespace {

// Every rule of the reading, a phrase each, put before every other
// sentence in turn.
constexpr std::u16string_view kNumbers[] = {
    u"오후 3시 30분에 ",      u"2024년 6월 10일 ",    u"KTX로 100명이 ",
    u"010-1234-5678로 ",      u"5km를 달리고 10%를 ", u"커피 2잔과 ₩5,000 ",
    u"3번 출구에서 ",         u"12,345원짜리 USB를 ", u"제1장 3.14 ",
    u"3D 프린터와 COVID-19 ", u"-5℃에 20대 ",         u"PC방에서 1,000원 ",
};

const std::vector<std::u16string>& NumberedSentences() {
  static const std::vector<std::u16string> sentences = [] {
    std::vector<std::u16string> lines;
    std::size_t next = 0;
    for (const std::u16string& sentence : CorpusSentences()) {
      std::u16string line;
      if (lines.size() % 2 == 0) {
        line = kNumbers[next++ % std::size(kNumbers)];
      }
      lines.push_back(line + sentence);
    }
    return lines;
  }();
  return sentences;
}

void ReadEach(benchmark::State& state,
              const std::vector<std::u16string>& sentences) {
  for (auto _ : state) {
    for (const std::u16string& sentence : sentences) {
      benchmark::DoNotOptimize(ReadNumbers(sentence));
    }
  }
  CountSentences(state, sentences.size());
}

void BM_NumberReading(benchmark::State& state) {
  ReadEach(state, NumberedSentences());
}
BENCHMARK(BM_NumberReading)->Unit(benchmark::kMillisecond);

// Sentences with nothing to read: the cost on ordinary text.
void BM_NumberReadingHangulOnly(benchmark::State& state) {
  ReadEach(state, CorpusSentences());
}
BENCHMARK(BM_NumberReadingHangulOnly)->Unit(benchmark::kMillisecond);

// The conversion of the numbered sentences with the shipped word lists, as
// the command line runs it, their numbers read first or left as typed.
void RunNumbered(benchmark::State& state, bool read_numbers) {
  const std::vector<std::u16string>& sentences = NumberedSentences();
  LoadedWordLists lists(PIMORU_STAGED_DATA_DIR "/kdat");
  FixedAsker asker(false);
  StageRecord record;
  for (auto _ : state) {
    for (const std::u16string& sentence : sentences) {
      if (read_numbers) {
        const NumberReading read = ReadNumbers(sentence);
        benchmark::DoNotOptimize(
            RunPipeline(read.text, Options{}, lists, asker, record));
      } else {
        benchmark::DoNotOptimize(
            RunPipeline(sentence, Options{}, lists, asker, record));
      }
    }
  }
  CountSentences(state, sentences.size());
}

void BM_PipelineNumbersAsTyped(benchmark::State& state) {
  RunNumbered(state, false);
}
BENCHMARK(BM_PipelineNumbersAsTyped)->Unit(benchmark::kMillisecond);

void BM_PipelineNumbersRead(benchmark::State& state) {
  RunNumbered(state, true);
}
BENCHMARK(BM_PipelineNumbersRead)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pimoru
