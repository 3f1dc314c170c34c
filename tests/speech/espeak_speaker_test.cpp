// The synthesiser speaks the reading, and so the sound changes: its phoneme
// output for the reading, not for the spelling.
#include "speech/espeak_speaker.h"

#include <gtest/gtest.h>

#include <string>

#include "hangul/utf.h"
#include "hangul/word_list.h"
#include "render/conversion.h"
#include "speech/speech.h"
#include "speech/wav.h"
#include "support/test_support.h"
#include "support/wav_reader.h"

namespace pimoru {
namespace {

const EspeakSpeaker& TheSpeaker() {
  // The synthesiser is one per process: MakeSpeaker's.
  static const auto& speaker =
      dynamic_cast<const EspeakSpeaker&>(*MakeSpeaker());
  return speaker;
}

// The reading of `input` with the default options, questions answered No.
std::u16string ReadingOf(std::u16string_view input) {
  static LoadedWordLists lists(PIMORU_STAGED_DATA_DIR "/kdat");
  ScriptedAsker no;
  Conversion c;
  c.input = input;
  Convert(Options{}, lists, no, RecordTexts::kFlagsOnly, c);
  return c.reading;
}

TEST(EspeakSpeaker, IsReadyWithTheKoreanVoice) {
  const SpeakerState state = TheSpeaker().State();
  EXPECT_EQ(state.support, SpeechSupport::kReady) << state.problem;
  EXPECT_FALSE(TheSpeaker().Version().empty());
}

TEST(EspeakSpeaker, PhonemesOfTheReadingHoldTheSoundChanges) {
  struct Case {
    std::u16string_view input;
    std::string_view spoken;  // the synthesiser's phonemes of the reading
  };
  // In the synthesiser's names: N ŋ, q an unreleased k, tSh ㅊ, tS; a
  // palatal ㅈ, * a flap ㄹ, l the long ㄹ of ㄹㄹ, L a final ㄹ. Spoken as
  // spelt, each word keeps the sound that its reading changes. 꽃잎 → 꼰닙
  // (ㄴㄴ) joins this table once the reading of compounds inserts its ㄴ.
  const Case kCases[] = {
      {u"국물", "g'uNmuL"},       // 궁물: the ŋ of 궁, not an unreleased k
      {u"먹는", "m'@Nnu-n"},      // 멍는
      {u"밥물", "p'ammuL"},       // 밤물
      {u"같이", "g'atShi"},       // 가치: the ㅊ
      {u"닫히다", "d'atShid,a"},  // 다치다
      {u"좋다", "tS;'otha"},      // 조타: one ㅌ, no stop before it
      {u"신라", "s'ila"},         // 실라: ㄹㄹ, not ㄴ and a flap
      {u"설날", "s@l'aL"},        // 설랄
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(U8(c.input));
    const std::u16string reading = ReadingOf(c.input);
    EXPECT_EQ(TheSpeaker().Phonemes(reading), c.spoken) << U8(reading);
    EXPECT_NE(TheSpeaker().Phonemes(c.input), c.spoken);
  }
}

TEST(EspeakSpeaker, SpeaksLongerForMoreTextAndForASlowerSpeed) {
  const std::optional<Speech> word = TheSpeaker().Speak(u"궁물", 175);
  const std::optional<Speech> sentence =
      TheSpeaker().Speak(u"궁물 가치 머거요.", 175);
  const std::optional<Speech> slow = TheSpeaker().Speak(u"궁물", 120);
  ASSERT_TRUE(word && sentence && slow);
  EXPECT_EQ(word->sample_rate, 22050);
  EXPECT_GT(word->samples.size(), 0u);
  EXPECT_GT(sentence->samples.size(), word->samples.size());
  EXPECT_GT(slow->samples.size(), word->samples.size());
  // A speed beyond the synthesiser's is taken as its slowest. The length
  // varies by a few samples from one call to the next.
  const std::optional<Speech> below = TheSpeaker().Speak(u"궁물", 1);
  const std::optional<Speech> slowest =
      TheSpeaker().Speak(u"궁물", kSlowestWordsPerMinute);
  ASSERT_TRUE(below && slowest);
  EXPECT_NEAR(static_cast<double>(below->samples.size()),
              static_cast<double>(slowest->samples.size()),
              slowest->samples.size() * 0.01);
}

TEST(EspeakSpeaker, AWavOfAWordIsAValidFileThatGrowsWithTheText) {
  const std::string word = WavFile(*TheSpeaker().Speak(u"궁물", 175));
  const std::string words =
      WavFile(*TheSpeaker().Speak(u"궁물 가치 실라", 175));
  const std::optional<WavHeader> header = ReadWavHeader(word);
  ASSERT_TRUE(header);
  EXPECT_EQ(header->format, 1);
  EXPECT_EQ(header->channels, 1);
  EXPECT_EQ(header->bits_per_sample, 16);
  EXPECT_EQ(header->sample_rate, 22050);
  ASSERT_TRUE(ReadWavHeader(words));
  EXPECT_GT(words.size(), word.size());
}

}  // namespace
}  // namespace pimoru
