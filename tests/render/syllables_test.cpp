// The syllable-by-syllable sounds against the transcription's own lines.
#include "render/syllables.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "hangul/jamo.h"
#include "hangul/utf.h"
#include "pipeline/stage_record.h"
#include "render/transcription.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

TEST(SoundsBySyllable, EachSyllableWithItsSymbolsAndKana) {
  using S = SyllableSounds;
  struct Case {
    std::u16string_view reading;
    int notation;  // as numbered in the settings file
    std::vector<SyllableSounds> syllables;
  } const cases[] = {
      {u"가치", 0, {S{u"가", u"ka", u"カ"}, S{u"치", u"ʧʰi", u"チ"}}},
      // Voicing after a vowel, a final's half-width kana.
      {u"가다 밥",
       0,
       {S{u"가", u"ka", u"カ"}, S{u"다", u"da", u"ダ"},
        S{u"밥", u"paᵖ", u"パッﾌﾟ"}}},
      // The ッ of a final before a tensed consonant is written once, by the
      // first syllable; at a word start a tensed consonant has none.
      {u"맛까", 0, {S{u"맛", u"maᵗ", u"マッ"}, S{u"까", u"ˀka", u"カ"}}},
      {u"아까", 0, {S{u"아", u"a", u"ア"}, S{u"까", u"ˀka", u"ッカ"}}},
      {u"까", 2, {S{u"까", u"kʼa", u"カ"}}},
      // Other characters are not listed but are neighbours.
      {u"A까, 나", 0, {S{u"까", u"ˀka", u"カ"}, S{u"나", u"na", u"ナ"}}},
      {u"몰라요",
       0,
       {S{u"몰", u"mol", u"モル"}, S{u"라", u"la", u"ラ"},
        S{u"요", u"jo", u"ヨ"}}},
      {u"  ", 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.reading));
    EXPECT_EQ(SoundsBySyllable(c.reading, static_cast<Notation>(c.notation)),
              c.syllables);
  }
}

// Only the syllables' own letters of a line, without spaces and the other
// characters of the reading.
std::u16string Letters(std::u16string_view line, std::u16string_view reading) {
  std::u16string letters;
  for (const char16_t c : line) {
    if (c != u' ' && (IsSyllable(c) || reading.find(c) == reading.npos)) {
      letters += c;
    }
  }
  return letters;
}

TEST(SoundsBySyllable, AddUpToTheTranscriptionOnEverydaySentences) {
  std::ifstream corpus(PIMORU_SENTENCES_FILE);
  std::string line;
  int lines = 0;
  while (std::getline(corpus, line)) {
    const std::u16string reading = Utf8ToUtf16Lossy(line);
    for (const Notation notation :
         {Notation::kGlottalStopBefore, Notation::kApostropheAfter}) {
      SCOPED_TRACE(line);
      StageRecord record;
      const Transcription t = Transcribe(reading, notation, record);
      std::u16string symbols;
      std::u16string kana;
      for (const SyllableSounds& s : SoundsBySyllable(reading, notation)) {
        symbols += s.symbols;
        kana += s.kana;
      }
      EXPECT_EQ(U8(symbols), U8(Letters(t.symbols, reading)));
      EXPECT_EQ(U8(kana), U8(Letters(t.kana, reading)));
    }
    ++lines;
  }
  EXPECT_GT(lines, 300);
}

}  // namespace
}  // namespace pimoru
