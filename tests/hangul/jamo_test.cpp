#include "hangul/jamo.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/test_support.h"

namespace pimoru {
namespace {

TEST(JamoNumbering, NumbersOutsideAClassGiveZero) {
  EXPECT_EQ(InitialJamo(1), u'\u1100');
  EXPECT_EQ(InitialJamo(19), u'\u1112');
  EXPECT_EQ(InitialJamo(20), 0);
  EXPECT_EQ(MedialJamo(0), 0);
  EXPECT_EQ(MedialJamo(21), u'\u1175');
  EXPECT_EQ(FinalJamo(27), u'\u11C2');
  EXPECT_EQ(FinalJamo(28), 0);
}

TEST(JamoNumbering, CompatibilityLetters) {
  EXPECT_EQ(CompatibilityJamo(ini::kGiyeok), u'ㄱ');
  EXPECT_EQ(CompatibilityJamo(fin::kGiyeok), u'ㄱ');
  EXPECT_EQ(CompatibilityJamo(fin::kGiyeokSiot), u'ㄳ');
  EXPECT_EQ(CompatibilityJamo(ini::kHieut), u'ㅎ');
  EXPECT_EQ(CompatibilityJamo(fin::kHieut), u'ㅎ');
  EXPECT_EQ(CompatibilityJamo(med::kA), u'ㅏ');
  EXPECT_EQ(CompatibilityJamo(med::kI), u'ㅣ');
  EXPECT_EQ(CompatibilityJamo(fin::kRieulHieut), u'ㅀ');
  EXPECT_EQ(CompatibilityJamo(u' '), 0);
  EXPECT_EQ(CompatibilityJamo(u'가'), 0);
  EXPECT_EQ(CompatibilityJamo(u'ㄱ'), 0);
}

TEST(Decompose, SyllablesBecomeJamoAndOthersStay) {
  EXPECT_EQ(DecomposeText(u"값이"), u"\u1100\u1161\u11B9\u110B\u1175");
  EXPECT_EQ(DecomposeText(u"힣"), u"\u1112\u1175\u11C2");
  EXPECT_EQ(DecomposeText(u"가"), u"\u1100\u1161");
  EXPECT_EQ(DecomposeText(u" a1ㄱ 가. "), u" a1ㄱ \u1100\u1161. ");
  EXPECT_EQ(DecomposeSyllable(u'A'), u"A");
}

TEST(Compose, RoundTripsEverySyllable) {
  std::u16string all;
  for (char16_t c = kSyllableFirst;; ++c) {
    all += c;
    if (c == kSyllableLast) break;
  }
  EXPECT_EQ(ComposeText(DecomposeText(all)), all);
}

TEST(Compose, GroupsAndTrimming) {
  struct Case {
    std::u16string jamo;
    std::u16string syllables;
  } const cases[] = {
      {u"\u1100\u1161\u11B9\u110B\u1175", u"값이"},
      {u" \u1100\u1161 ", u"가"},      // ends are trimmed
      {u"   ", u""},                   // spaces only
      {u"a \u1100 b", u"a \u1100 b"},  // a lone initial stays
      // A jamo typed after a whole syllable stands on its own; the
      // syllable keeps its form.
      {u"\u1100\u1161\u11A8\u11A8", u"각\u11A8"},
      {u"\u1100\u1161\u1161", u"가\u1161"},
      {u"\u1112\u1161\u11AB\u1161\u1100\u116E", u"한\u1161구"},
      {u"a1ㄱ", u"a1ㄱ"},
      // Groups that do not begin with an initial pass through unchanged.
      {u"\u1161\u11A8 \u11A8", u"\u1161\u11A8 \u11A8"},
      {u"x\u1100\u11A8", u"x\u1100\u11A8"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.jamo));
    EXPECT_EQ(ComposeText(c.jamo), c.syllables);
  }
  EXPECT_EQ(ComposeSyllable(0, 0, 0), u'가');
  EXPECT_EQ(ComposeSyllable(18, 20, 27), u'힣');
  EXPECT_EQ(ComposeGroup(u"\u1100\u1161\u11A8"), u"각");
  EXPECT_EQ(ComposeGroup(u"\u1100"), u"\u1100");
}

TEST(Trim, RemovesSpacesAndControlsAtBothEnds) {
  EXPECT_EQ(Trim(u" \t가 나\r\n"), u"가 나");
  EXPECT_EQ(Trim(u"\x01\x20"), u"");
  EXPECT_EQ(Trim(u""), u"");
}

TEST(ReplaceAll, ReplacesEveryOccurrenceOnce) {
  struct Case {
    std::u16string text, pattern, replacement, expected;
    bool occurred;
  } const cases[] = {
      // final ㄱ + initial ㄴ twice
      {u"\u11A8\u1102x\u11A8\u1102", u"\u11A8\u1102", u"\u11BC\u1102",
       u"\u11BC\u1102x\u11BC\u1102", true},
      {u"이이", u"이", u"이이", u"이이이이", true},  // not searched again
      {u"aaa", u"aa", u"b", u"ba", true},            // left to right
      {u"abc", u"x", u"y", u"abc", false},
      {u"abc", u"", u"y", u"abc", false},  // empty pattern
      {u"abc", u"b", u"", u"ac", true},    // deletion
      {u"", u"a", u"b", u"", false},
      // Shorter or equal replacements rewrite the text where it stands.
      {u"abcabcab", u"abc", u"x", u"xxab", true},    // adjacent hits
      {u"abXXcdXXef", u"XX", u"", u"abcdef", true},  // gaps close up
      {u"XXaXX", u"XX", u"YZ", u"YZaYZ", true},      // at both ends
      {u"aaaaa", u"aa", u"a", u"aaa", true},         // not searched again
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.text) + " / " + U8(c.pattern));
    std::u16string text = c.text;
    EXPECT_EQ(ReplaceAll(text, c.pattern, c.replacement), c.occurred);
    EXPECT_EQ(text, c.expected);
  }
}

// The old way of replacing went through the marker "AKYD": a pattern that is
// part of the marker never finished, and a typed "AKYD" was rewritten.
TEST(ReplaceAll, MarkerTextIsNotSpecial) {
  std::u16string text = u"AKYD";
  EXPECT_FALSE(ReplaceAll(text, u"x", u"y"));
  EXPECT_EQ(text, u"AKYD");
  EXPECT_TRUE(ReplaceAll(text, u"K", u"KK"));
  EXPECT_EQ(text, u"AKKYD");
}

TEST(Find, SameAsTheStandardSearch) {
  // A small alphabet, so that patterns stand often, overlap and reach the
  // ends; lengths around the eight units looked at together.
  constexpr std::u16string_view kAlphabet = u"ab\u1100\uFFFF";
  std::mt19937 random(5);
  auto text_of = [&](std::size_t length) {
    std::u16string text;
    for (std::size_t i = 0; i < length; ++i) {
      text += kAlphabet[random() % kAlphabet.size()];
    }
    return text;
  };
  for (int round = 0; round < 20000; ++round) {
    const std::u16string text = text_of(random() % 40);
    const std::u16string pattern = text_of(random() % 5);
    const std::size_t from = random() % (text.size() + 2);
    SCOPED_TRACE(U8(text) + " / " + U8(pattern) + " from " +
                 std::to_string(from));
    EXPECT_EQ(Find(text, pattern, from),
              std::u16string_view(text).find(pattern, from));
  }
}

TEST(WordAt, FindsTheSpaceDelimitedWord) {
  const std::u16string text = u"나는 학생";
  EXPECT_EQ(WordAt(text, 3), u"학생");  // at 학
  EXPECT_EQ(WordAt(text, 2), u"학생");  // at the space
  EXPECT_EQ(WordAt(text, 0), u"나는");
  EXPECT_EQ(WordAt(text, 1), u"나는");
  EXPECT_EQ(WordAt(u"가", 0), u"가");
  EXPECT_EQ(WordAt(u"가 ", 1), u"");
  EXPECT_EQ(WordAt(u"가", 1), u"");  // past the end
  // A boundary of a phrase read as one breath ends a word too.
  const std::u16string phrase = u"그\uFDD0결과를\uFDD0보고";
  EXPECT_EQ(WordAt(phrase, 3), u"결과를");
  EXPECT_EQ(WordAt(phrase, 1), u"결과를");  // at the boundary
}

TEST(SyllableAtJunction, FormsTheSyllablesThatMeet) {
  const std::u16string jamo =
      DecomposeText(u"솜이불");  // ᄉ ᅩ ᆷ ᄋ ᅵ ᄇ ᅮ ᆯ
  EXPECT_EQ(SyllableWithFinal(jamo, 2, fin::kMieum), u"솜");
  EXPECT_EQ(SyllableWithFinal(jamo, 2, fin::kNieun), u"손");
  EXPECT_EQ(SyllableWithInitial(jamo, 3, ini::kNieun), u"니");
  EXPECT_EQ(SyllableWithInitial(jamo, 5, ini::kBieup), u"불");  // keeps final
}

}  // namespace
}  // namespace pimoru
