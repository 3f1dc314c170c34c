// The synthesiser's cost: one typical sentence of reading Hangul, thirty
// syllables, spoken at the normal speed and the slow one.
#include <benchmark/benchmark.h>

#include <string_view>

#include "hangul/jamo.h"
#include "speech/speech.h"

namespace pimoru {
namespace {

// The reading of "오늘 날씨가 참 좋구나. 우리 같이 공원에 산책하러
// 갈까요? 네, 좋아요. 빨리 가요."
constexpr std::u16string_view kSentence =
    u"오늘 날씨가 참 조쿠나. 우리 가치 공워네 산채카러 갈까요? 네, 조아요. "
    u"빨리 가요.";

void BM_SpeakSentence(benchmark::State& state) {
  const std::shared_ptr<const Speaker> speaker = MakeSpeaker();
  // Started before the loop: its one-time start is timed apart.
  if (speaker->State().support != SpeechSupport::kReady) {
    state.SkipWithError(speaker->State().problem.c_str());
    return;
  }
  const int words_per_minute = static_cast<int>(state.range(0));
  std::size_t samples = 0;
  int sample_rate = 0;
  for (auto _ : state) {
    const std::optional<Speech> speech =
        speaker->Speak(kSentence, words_per_minute);
    samples = speech->samples.size();
    sample_rate = speech->sample_rate;
  }
  int syllables = 0;
  for (const char16_t c : kSentence) syllables += IsSyllable(c) ? 1 : 0;
  state.counters["syllables"] = syllables;
  state.counters["seconds of sound"] =
      static_cast<double>(samples) / sample_rate;
}
BENCHMARK(BM_SpeakSentence)
    ->Arg(kNormalWordsPerMinute)
    ->Arg(kSlowWordsPerMinute)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pimoru
