#include "render/transcription.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hangul/jamo.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

constexpr char16_t kSpace = u' ';

TEST(SymbolForJamo, ByContext) {
  struct Case {
    const char* what;
    char16_t current, previous, next;
    int notation;  // as numbered in the settings file
    std::u16string symbol;
    bool voiced;
  } const cases[] = {
      // Voicing of the lenis initials: after a vowel or a sonorant final.
      {"가다: ㄱ at the start", ini::kGiyeok, kSpace, med::kA, 0, u"k", false},
      {"가다: ㄷ after ㅏ", ini::kDigeut, med::kA, med::kA, 0, u"d", true},
      {"감기: ㄱ after final ㅁ", ini::kGiyeok, fin::kMieum, med::kI, 0, u"ɡ",
       true},
      {"공부: ㅂ after final ㅇ", ini::kBieup, fin::kIeung, med::kU, 0, u"b",
       true},
      {"ㅈ after final ㄴ", ini::kJieut, fin::kNieun, med::kA, 0, u"ʤ", true},
      {"ㅎ after final ㄹ", ini::kHieut, fin::kRieul, med::kA, 0, u"ɦ", true},
      {"ㄱ after final ㅂ", ini::kGiyeok, fin::kBieup, med::kA, 0, u"k", false},
      {"ㄷ after final ㄶ", ini::kDigeut, fin::kNieunHieut, med::kA, 0, u"t",
       false},
      {"ㄱ after final ㄺ", ini::kGiyeok, fin::kRieulGiyeok, med::kA, 0, u"k",
       false},
      {"이 다: ㄷ after a space", ini::kDigeut, kSpace, med::kA, 0, u"t",
       false},
      {"ㄱ after a comma", ini::kGiyeok, u',', med::kA, 0, u"k", false},
      // ㄹ is a flap, but a long lateral after a final ㄹ (몰라요).
      {"라: ㄹ at the start", ini::kRieul, kSpace, med::kA, 0, u"r", false},
      {"나라: ㄹ after ㅏ", ini::kRieul, med::kA, med::kA, 0, u"r", false},
      {"몰라: ㄹ after final ㄹ", ini::kRieul, fin::kRieul, med::kA, 0, u"l",
       false},
      {"ㄹ after final ㄺ", ini::kRieul, fin::kRieulGiyeok, med::kA, 0, u"r",
       false},
      {"ㄲ after ㅏ is tensed, not voiced", ini::kSsangGiyeok, med::kA, med::kA,
       0, u"ˀk", false},
      {"ㅊ after ㅏ stays aspirated", ini::kChieut, med::kA, med::kI, 0, u"ʧʰ",
       false},
      {"ㅇ is silent", ini::kIeung, med::kA, med::kA, 0, u"", false},
      // ㅢ and the palatal ㅅ.
      {"의", med::kUi, ini::kIeung, kSpace, 0, u"ɯi", false},
      {"희", med::kUi, ini::kHieut, kSpace, 0, u"i", false},
      {"무늬", med::kUi, ini::kNieun, kSpace, 0, u"i", false},
      {"시", ini::kSiot, kSpace, med::kI, 0, u"ʃ", false},
      {"샤", ini::kSiot, kSpace, med::kYa, 0, u"ʃ", false},
      {"쉬", ini::kSiot, kSpace, med::kWi, 0, u"s", false},
      {"셰", ini::kSiot, kSpace, med::kYe, 0, u"s", false},
      {"섀", ini::kSiot, kSpace, med::kYae, 0, u"s", false},
      // The three notations of the tensed consonants.
      {"씨 0", ini::kSsangSiot, kSpace, med::kI, 0, u"ˀʃ", false},
      {"씨 1", ini::kSsangSiot, kSpace, med::kI, 1, u"ʼʃ", false},
      {"씨 2", ini::kSsangSiot, kSpace, med::kI, 2, u"ʃʼ", false},
      {"싸 0", ini::kSsangSiot, kSpace, med::kA, 0, u"ˀs", false},
      {"싸 1", ini::kSsangSiot, kSpace, med::kA, 1, u"ʼs", false},
      {"싸 2", ini::kSsangSiot, kSpace, med::kA, 2, u"sʼ", false},
      {"씨 7 as 0", ini::kSsangSiot, kSpace, med::kI, 7, u"ˀʃ", false},
      {"싸 -1 as 0", ini::kSsangSiot, kSpace, med::kA, -1, u"ˀs", false},
      {"따 2", ini::kSsangDigeut, kSpace, med::kA, 2, u"tʼ", false},
      {"빠 1", ini::kSsangBieup, kSpace, med::kA, 1, u"ʼp", false},
      {"짜 2", ini::kSsangJieut, kSpace, med::kA, 2, u"ʧʼ", false},
      // Vowels and finals.
      {"ㅞ like ㅚ", med::kWe, ini::kGiyeok, kSpace, 0, u"we", false},
      {"ㅡ", med::kEu, ini::kGiyeok, kSpace, 0, u"ɯ", false},
      {"final ㅇ", fin::kIeung, med::kA, kSpace, 0, u"ŋ", false},
      {"final ㅎ", fin::kHieut, med::kA, kSpace, 0, u"ᵗ", false},
      {"final ㄻ", fin::kRieulMieum, med::kA, kSpace, 0, u"m", false},
      {"final ㄺ", fin::kRieulGiyeok, med::kA, kSpace, 0, u"l", false},
      {"final ㄿ", fin::kRieulPieup, med::kA, kSpace, 0, u"ᵖ", false},
      {"final ㄳ", fin::kGiyeokSiot, med::kA, kSpace, 0, u"ᵏ", false},
      // Everything else passes through.
      {"space", kSpace, med::kA, ini::kGiyeok, 0, u" ", false},
      {"A", u'A', kSpace, kSpace, 0, u"A", false},
      {"1", u'1', kSpace, kSpace, 0, u"1", false},
      {"?", u'?', med::kA, kSpace, 0, u"?", false},
      {"가 as one character", u'가', kSpace, kSpace, 0, u"가", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const PhoneticSymbol got = SymbolForJamo(c.current, c.previous, c.next,
                                             static_cast<Notation>(c.notation));
    EXPECT_EQ(U8(got.symbol), U8(c.symbol));
    EXPECT_EQ(got.voiced, c.voiced);
  }
}

TEST(SyllableKana, ByInitialAndVowel) {
  struct Case {
    bool suppress;
    std::u16string initial, vowel, kana;
  } const cases[] = {
      // The small ッ of tensed consonants, in every notation.
      {false, u"ˀk", u"a", u"ッカ"},
      {true, u"ˀk", u"a", u"カ"},
      {false, u"ʼk", u"a", u"ッカ"},
      {false, u"kʼ", u"a", u"ッカ"},
      {false, u"kʰ", u"a", u"カ"},
      {false, u"ʧʰ", u"a", u"チャ"},
      {false, u"ˀs", u"a", u"ッサ"},
      {false, u"ˀʃ", u"i", u"ッシ"},
      {false, u"ʃʼ", u"i", u"ッシ"},
      {false, u"ˀʧ", u"a", u"ッチャ"},
      // Cells that differ between neighbouring columns.
      {true, u"ɡ", u"wa", u"グヮ"},
      {false, u"n", u"wa", u"ヌヮ"},
      {false, u"r", u"wa", u"ルゥワ"},
      {false, u"l", u"a", u"ラ"},  // the ㄹ after ㄹ is written as ㄹ is
      {false, u"t", u"ju", u"トュ"},
      {false, u"d", u"i", u"ディ"},
      {false, u"t", u"u", u"トゥ"},
      {false, u"ʧ", u"ja", u"チィャ"},
      {false, u"ʤ", u"ja", u"ジャ"},
      {false, u"ʧ", u"ɯ", u"チゥ"},
      {false, u"ʤ", u"ɯ", u"ジュ"},
      {false, u"p", u"jɛ", u"ピェ"},
      {false, u"b", u"jɛ", u"ビェ"},
      {false, u"ɦ", u"wɔ", u"フゥオ"},
      {false, u"", u"ɯi", u"ウィ"},
      {false, u"", u"wi", u"ウィ"},
      // 섀, 셰, 쉬 and 싀 take the ʃ kana rather than vanishing.
      {false, u"s", u"jɛ", u"シェ"},
      {false, u"s", u"je", u"シェ"},
      {false, u"s", u"wi", u"シュイ"},
      {false, u"s", u"i", u"シ"},
      {false, u"ˀs", u"wi", u"ッシュイ"},
      {true, u"sʼ", u"i", u"シ"},
      // No syllable, and no lone ッ either.
      {false, u"A", u"a", u""},
      {false, u"k", u"x", u""},
      {false, u"ˀk", u"x", u""},
      {false, u"ʃ", u"a", u""},
      {false, u"k", u"ɯi", u""},
      // Symbols found by their letters, not by a prefix or a first letter.
      {false, u"kʰx", u"a", u""},
      {false, u"kx", u"a", u""},
      {false, u"k", u"jax", u""},
      {false, u"k", u"", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.initial) + " " + U8(c.vowel));
    EXPECT_EQ(U8(SyllableKana(c.suppress, c.initial, c.vowel)), U8(c.kana));
  }
}

TEST(FinalKana, BySymbol) {
  EXPECT_EQ(FinalKana(u"ᵏ"), u"ッ\uFF78");  // half-width ク
  EXPECT_EQ(FinalKana(u"n"), u"ン");
  EXPECT_EQ(FinalKana(u"ŋ"), u"ン");
  EXPECT_EQ(FinalKana(u"ᵗ"), u"ッ");
  EXPECT_EQ(FinalKana(u"l"), u"ル");
  EXPECT_EQ(FinalKana(u"m"), u"ム");
  EXPECT_EQ(FinalKana(u"ᵖ"), u"ッ\uFF8C\uFF9F");  // half-width フ and ﾟ
  EXPECT_EQ(FinalKana(u""), u"");
  EXPECT_EQ(FinalKana(u"k"), u"");
}

TEST(Transcribe, Lines) {
  struct Case {
    std::u16string reading;
    int notation;  // as numbered in the settings file
    std::u16string symbols, kana, marks;
  } const cases[] = {
      {u"가다", 0, u"ka da", u"カダ", u"12"},
      {u"가 나", 0, u"ka  na", u"カ   ナ", u"101"},
      {u"아이", 0, u"a i", u"アイ", u"11"},
      {u"아까", 0, u"a ˀka", u"アッカ", u"11"},
      {u"학꾜", 0, u"haᵏ ˀkjo", u"ハッ\uFF78キョ", u"11"},
      {u"맛까", 0, u"maᵗ ˀka", u"マッカ", u"11"},   // マッッカ cleaned up
      {u"알까", 0, u"al ˀka", u"アルッカ", u"11"},  // ッ after final ㄹ
      {u"안까", 0, u"an ˀka", u"アンカ", u"11"},    // none after final ㄴ
      {u"A가", 0, u"A ka", u"Aカ", u"01"},
      {u"감기", 0, u"kam ɡi", u"カムギ", u"12"},
      // ㄹ after ㄹ is [l]: in the syllable fast path and in typed jamo.
      {u"몰라요", 0, u"mol la jo", u"モルラヨ", u"111"},
      {u"실라면", 0, u"ʃil la mjɔn", u"シルラミョン", u"111"},
      {u"나라", 0, u"na ra", u"ナラ", u"11"},
      {u"몰\u1105\u1161", 0, u"mol la", u"モルラ", u"11"},
      {u"밥", 0, u"paᵖ", u"パッ\uFF8C\uFF9F", u"1"},
      {u"씨", 0, u"ˀʃi", u"シ", u"1"},
      {u"씨", 1, u"ʼʃi", u"シ", u"1"},
      {u"씨", 2, u"ʃʼi", u"シ", u"1"},
      {u"아씨", 7, u"a ˀʃi", u"アッシ", u"11"},
      {u"의사", 0, u"ɯi sa", u"ウィサ", u"11"},
      {u"쉬어", 0, u"swi ɔ", u"シュイオ", u"11"},
      {u"가, 나", 0, u"ka,  na", u"カ,   ナ", u"1001"},
      {u"  가다 ", 0, u"ka da", u"カダ", u"12"},  // the reading is trimmed
      {u"", 0, u"", u"", u""},
      // A character outside the BMP is two code units and two marks.
      {u"가😀", 0, u"ka😀", u"カ😀", u"100"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.reading) + " notation " + std::to_string(c.notation));
    StageRecord record;
    const Transcription t =
        Transcribe(c.reading, static_cast<Notation>(c.notation), record);
    EXPECT_EQ(U8(t.symbols), U8(c.symbols));
    EXPECT_EQ(U8(t.kana), U8(c.kana));
    EXPECT_EQ(U8(t.voicing_marks), U8(c.marks));
  }
}

TEST(Transcribe, MarksRunParallelToTheReading) {
  const std::u16string reading = u"국물을 먹고, 감기 A 나아";
  StageRecord record;
  const Transcription t =
      Transcribe(reading, Notation::kGlottalStopBefore, record);
  ASSERT_EQ(t.voicing_marks.size(), reading.size());
  for (std::size_t k = 0; k < reading.size(); ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(t.voicing_marks[k] == u'0', !IsSyllable(reading[k]));
  }
  EXPECT_EQ(U8(t.voicing_marks), "111011001200011");
}

TEST(Transcribe, RecordsTheVoicingStage) {
  StageRecord record;
  Transcribe(u" 감기 ", Notation::kGlottalStopBefore, record);
  EXPECT_TRUE(record.changed[StageId::kVoicing]);
  EXPECT_EQ(U8(record.results[StageId::kVoicing]), "감기");

  // Nothing voiced: the flag falls, the earlier text stays.
  Transcribe(u"밥", Notation::kGlottalStopBefore, record);
  EXPECT_FALSE(record.changed[StageId::kVoicing]);
  EXPECT_EQ(U8(record.results[StageId::kVoicing]), "감기");

  Transcribe(u"", Notation::kGlottalStopBefore, record);
  EXPECT_FALSE(record.changed[StageId::kVoicing]);

  // Only the voicing stage is touched.
  const std::u16string kept = u"국물";
  StageRecord other;
  other.results[StageId::kNasalisation1] = kept;
  other.changed[StageId::kNasalisation1] = true;
  Transcribe(u"가다", Notation::kGlottalStopBefore, other);
  EXPECT_EQ(other.results[StageId::kNasalisation1], kept);
  EXPECT_TRUE(other.changed[StageId::kNasalisation1]);
}

// No syllable may vanish from the katakana line: each one alone (a word
// start), and each open syllable after 아, where a lenis initial is voiced
// and a tensed one takes its ッ. (A final does not change the kana of the
// body before it, so the open syllables stand for the closed ones.)
TEST(Transcribe, EverySyllableHasKana) {
  std::vector<std::string> empty;
  StageRecord record;
  for (int code = kSyllableFirst; code <= kSyllableLast; ++code) {
    const char16_t s = static_cast<char16_t>(code);
    const std::u16string alone(1, s);
    if (Transcribe(alone, Notation::kGlottalStopBefore, record).kana.empty())
      empty.push_back(U8(alone));
    const bool open = (s - kSyllableFirst) % 28 == 0;  // no final
    if (!open) continue;
    std::u16string after_a = u"아";
    after_a += s;
    if (Transcribe(after_a, Notation::kGlottalStopBefore, record).kana.size() <=
        1) {
      empty.push_back(U8(after_a));
    }
  }
  EXPECT_TRUE(empty.empty())
      << empty.size() << " without kana, first " << empty.front();
}

}  // namespace
}  // namespace pimoru
