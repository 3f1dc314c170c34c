#include "hangul/ask.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "hangul/jamo.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

constexpr std::u16string_view kTitle = u"【濃音化】";
constexpr std::u16string_view kQuestion = u"は動詞や形容詞の未来連体形ですか？";

TEST(AskEachOccurrence, AsksPerOccurrenceInTextOrder) {
  // final ㄹ + initial ㄱ, twice: Yes to the first, No to the second.
  std::u16string text = DecomposeText(u"할게 갈게");
  const std::u16string pattern = {fin::kRieul, ini::kGiyeok};
  const std::u16string replacement = {fin::kRieul, ini::kSsangGiyeok};
  ScriptedAsker asker({true, false});
  EXPECT_TRUE(
      AskEachOccurrence(text, pattern, replacement, kTitle, kQuestion, asker));
  EXPECT_EQ(ComposeText(text), u"할께 갈게");
  ASSERT_EQ(asker.messages().size(), 2u);
  EXPECT_EQ(asker.messages()[0],
            u"【濃音化】\r\n 할게は動詞や形容詞の未来連体形ですか？");
  EXPECT_EQ(asker.messages()[1],
            u"【濃音化】\r\n 갈게は動詞や形容詞の未来連体形ですか？");
}

TEST(AskEachOccurrence, NoEverywhereOrNoMatchLeavesTheText) {
  const std::u16string original = DecomposeText(u"할게 갈게");
  const std::u16string pattern = {fin::kRieul, ini::kGiyeok};
  std::u16string text = original;
  ScriptedAsker no({false, false});
  EXPECT_FALSE(AskEachOccurrence(text, pattern, u"x", kTitle, kQuestion, no));
  EXPECT_EQ(text, original);
  EXPECT_EQ(no.messages().size(), 2u);

  ScriptedAsker none;
  EXPECT_FALSE(AskEachOccurrence(text, u"zz", u"x", kTitle, kQuestion, none));
  EXPECT_EQ(text, original);
  EXPECT_TRUE(none.messages().empty());
}

TEST(AskEachOccurrence, RefusedOccurrenceLetsAnOverlappingOneBeAsked) {
  std::u16string text = u"aaa";
  ScriptedAsker asker({false, true});
  EXPECT_TRUE(AskEachOccurrence(text, u"aa", u"X", kTitle, kQuestion, asker));
  EXPECT_EQ(text, u"aX");
  EXPECT_EQ(asker.messages().size(), 2u);
}

TEST(AskEachOccurrence, PatternStartingWithASpaceShowsTheNextWord) {
  std::u16string text = DecomposeText(u"할 수");
  const std::u16string pattern = {u' ', ini::kSiot};
  ScriptedAsker asker({false});
  AskEachOccurrence(text, pattern, u"x", kTitle, kQuestion, asker);
  ASSERT_EQ(asker.messages().size(), 1u);
  EXPECT_EQ(asker.messages()[0],
            u"【濃音化】\r\n 수は動詞や形容詞の未来連体形ですか？");
}

TEST(AskAtJunction, MessageNamesThePairAndTheLetters) {
  std::u16string text = DecomposeText(u"솜이불");
  const std::u16string pattern = {fin::kMieum, ini::kIeung, med::kI};
  const std::u16string replacement = {fin::kMieum, ini::kNieun, med::kI};
  ScriptedAsker asker({true});
  EXPECT_TRUE(AskAtJunction3(text, pattern, replacement,
                             u"合成語または2語がつながった語",
                             u"ニウン挿入[n挿入]", asker));
  EXPECT_EQ(ComposeText(text), u"솜니불");
  ASSERT_EQ(asker.messages().size(), 1u);
  EXPECT_EQ(
      asker.messages()[0],
      u"ニウン挿入[n挿入]\r\n솜이は合成語または2語がつながった語ですか？"
      u"合成語または2語がつながった語でㅁパッチムの後ろにㅇ初声が来た場合、"
      u"ニウン挿入[n挿入]します。");

  std::u16string sino = DecomposeText(u"발달");
  const std::u16string pair = {fin::kRieul, ini::kDigeut};
  ScriptedAsker no({false});
  EXPECT_FALSE(AskAtJunction2(sino, pair, u"x", u"漢字語", kTitle, no));
  EXPECT_EQ(ComposeText(sino), u"발달");
  ASSERT_EQ(no.messages().size(), 1u);
  EXPECT_EQ(no.messages()[0],
            u"【濃音化】\r\n발달は漢字語ですか？漢字語でㄹパッチムの後ろにㄷ初"
            u"声が来た場合、"
            u"【濃音化】します。");
}

TEST(AskAtJunction, BackToBackJunctionsAreBothHandled) {
  // ᆯ이 twice in a row: 일일이 has final ㄹ + 이 at two junctions.
  std::u16string text = DecomposeText(u"일일이 확인");
  const std::u16string pattern = {fin::kRieul, ini::kIeung, med::kI};
  const std::u16string replacement = {fin::kRieul, ini::kNieun, med::kI};
  ScriptedAsker asker({true, false});
  EXPECT_TRUE(AskAtJunction3(text, pattern, replacement, u"k", u"t", asker));
  EXPECT_EQ(ComposeText(text), u"일닐이 확인");
  EXPECT_EQ(asker.messages().size(), 2u);

  std::u16string both = DecomposeText(u"일일이 확인");
  ScriptedAsker yes({true, true});
  EXPECT_TRUE(AskAtJunction3(both, pattern, replacement, u"k", u"t", yes));
  EXPECT_EQ(ComposeText(both), u"일닐니 확인");
}

// Found by fuzzing: special words grew a text into one word of 100,000
// letters holding 3,000 occurrences, and each question looked the word up
// and composed it afresh. The word is now found once per word; the messages
// must stay those of WordAt at every occurrence, spaces included.
TEST(AskEachOccurrence, EveryMessageShowsTheWordAroundItsOccurrence) {
  std::mt19937 random(5);
  std::vector<std::u16string> texts;
  for (int i = 0; i < 300; ++i) {
    std::u16string text;
    for (int n = random() % 16; n > 0; --n) text += u"ab  가"[random() % 5];
    texts.push_back(DecomposeText(text));
  }
  std::u16string long_word;
  for (int i = 0; i < 2000; ++i) long_word += u"ab";
  texts.push_back(u"x " + long_word + u" y" + long_word);
  for (const std::u16string& input : texts) {
    for (const std::u16string_view pattern :
         {u"a", u"ab", u" a", u"b ", u" "}) {
      SCOPED_TRACE(U8(input.substr(0, 40)) + " / " + U8(pattern));
      std::vector<std::u16string> expected;
      for (std::size_t at = input.find(pattern); at != std::u16string::npos;
           at = input.find(pattern, at + 1)) {
        expected.push_back(OccurrenceMessage(
            kTitle, ComposeText(WordAt(input, at + 1)), kQuestion));
      }
      std::u16string text = input;
      ScriptedAsker no;  // every occurrence is asked, overlapping ones too
      EXPECT_FALSE(
          AskEachOccurrence(text, pattern, u"z", kTitle, kQuestion, no));
      EXPECT_EQ(text, input);
      EXPECT_TRUE(no.messages() == expected);  // not printed: may be long
    }
  }
}

}  // namespace
}  // namespace pimoru
