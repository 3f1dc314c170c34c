#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hangul/jamo.h"
#include "hangul/word_list.h"
#include "pipeline/stages.h"
#include "support/stage_cases.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

// The future-adnominal question about `word`, whose final ㄹ meets the
// initial `letter` where `marked` shows it.
std::u16string FutureQuestion(std::u16string_view word,
                              std::u16string_view marked,
                              std::u16string_view letter,
                              std::u16string_view position = u"") {
  return QuestionMessage(QuestionKind::kFutureAdnominal, word, marked, u"ㄹ",
                         letter, position);
}

// The same about a listed ending.
std::u16string EndingQuestion(std::u16string_view word,
                              std::u16string_view marked,
                              std::u16string_view letter,
                              std::u16string_view position) {
  return QuestionMessage(QuestionKind::kListedEnding, word, marked, u"ㄹ",
                         letter, position);
}

// The Sino-Korean question about `word`, whose final ㄹ meets the initial
// `letter`.
std::u16string SinoQuestion(std::u16string_view word,
                            std::u16string_view marked,
                            std::u16string_view letter) {
  return QuestionMessage(QuestionKind::kSinoKoreanTensification, word, marked,
                         u"ㄹ", letter);
}

// riul_future.txt: 할 tensed always, 갈 asked, 볼 of an unknown kind, a line
// of two fields, and an empty ending.
class Tensification3Test : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.WriteUtf16("riul_future.txt",
                       u"0,future,할\r\n"
                       u"1,future,갈\r\n"
                       u"2,other,볼\r\n"
                       u"0,먹\r\n"
                       u"0,empty,\"\"\r\n");
  }
  void Check(const AskedCase& c) {
    ExpectAskingStage(ApplyTensification3, c, StageSetup().With(lists_));
  }

  TempFolder folder_;
  FolderWordLists lists_{folder_.path()};
};

TEST_F(Tensification3Test, TensesAfterListedEndings) {
  const AskedCase cases[] = {
      // Kind 0: no question, across a space and inside the word.
      {u"할 수", {}, u"할 쑤", true, {}},
      {u"할게", {}, u"할께", true, {}},
      {u"할 데 할 적", {}, u"할 떼 할 쩍", true, {}},
      {u"마실 할 것 할 바", {}, u"마실 할 껏 할 빠", true, {}},
      // Kind 1: asked, showing the word that holds the ending.
      {u"갈 곳",
       {true},
       u"갈 꼿",
       true,
       {EndingQuestion(u"갈", u"갈｜곳", u"ㄱ", u"1文字目　［갈］ 곳")}},
      {u"갈 곳",
       {false},
       u"갈 곳",
       false,
       {EndingQuestion(u"갈", u"갈｜곳", u"ㄱ", u"1文字目　［갈］ 곳")}},
      // Passes run by initial, each first across a space: 갈게 (ㄱ in the
      // word) is asked before 갈 데 (ㄷ after a space).
      {u"갈 데 갈게",
       {true, true},
       u"갈 떼 갈께",
       true,
       {EndingQuestion(u"갈게", u"갈｜게", u"ㄱ", u"5文字目　갈 데 ［갈게］"),
        EndingQuestion(u"갈", u"갈｜데", u"ㄷ", u"1文字目　［갈］ 데 갈게")}},
      // Other kinds, short lines and an empty ending do nothing.
      {u"볼 것", {}, u"볼 것", false, {}},
      {u"먹고", {}, u"먹고", false, {}},
      {u"가게 사", {}, u"가게 사", false, {}},
      {u"하고", {}, u"하고", false, {}},
  };
  for (const AskedCase& c : cases) Check(c);
}

TEST(Tensification3, MissingListDoesNothing) {
  TempFolder empty;
  FolderWordLists lists(empty.path());
  std::u16string text = DecomposeText(u"할 수");
  EXPECT_FALSE(RunStage(ApplyTensification3, text, StageSetup().With(lists)));
  EXPECT_EQ(ComposeText(text), u"할 수");
}

TEST(Tensification3, BadKindEndsTheConversion) {
  TempFolder folder;
  folder.WriteUtf16("riul_future.txt", u"x,future,할\r\n");
  FolderWordLists lists(folder.path());
  std::u16string text = DecomposeText(u"할 수");
  EXPECT_THROW(RunStage(ApplyTensification3, text, StageSetup().With(lists)),
               ConversionError);
}

void RunTensification45(const AskedCase& c) {
  ExpectAskingStage(ApplyTensification45, c);
}

TEST(Tensification45, FinalRieulIsAskedAboutTwice) {
  const AskedCase cases[] = {
      // Future adnominal first; on No, the Sino-Korean question.
      {u"발달",
       {false, true},
       u"발딸",
       true,
       {FutureQuestion(u"발달", u"발｜달", u"ㄷ"),
        SinoQuestion(u"발달", u"발｜달", u"ㄷ")}},
      {u"발달",
       {false, false},
       u"발달",
       false,
       {FutureQuestion(u"발달", u"발｜달", u"ㄷ"),
        SinoQuestion(u"발달", u"발｜달", u"ㄷ")}},
      // Yes to the first: nothing left to ask.
      {u"발달",
       {true},
       u"발딸",
       true,
       {FutureQuestion(u"발달", u"발｜달", u"ㄷ")}},
      {u"결석",
       {false, true},
       u"결썩",
       true,
       {FutureQuestion(u"결석", u"결｜석", u"ㅅ"),
        SinoQuestion(u"결석", u"결｜석", u"ㅅ")}},
      {u"발전",
       {false, true},
       u"발쩐",
       true,
       {FutureQuestion(u"발전", u"발｜전", u"ㅈ"),
        SinoQuestion(u"발전", u"발｜전", u"ㅈ")}},
      // ㄱ and ㅂ have no Sino-Korean question.
      {u"갈비",
       {false},
       u"갈비",
       false,
       {FutureQuestion(u"갈비", u"갈｜비", u"ㅂ")}},
      {u"할게",
       {true},
       u"할께",
       true,
       {FutureQuestion(u"할게", u"할｜게", u"ㄱ")}},
      // One question pass per initial, in the order ㄱ ㄷ ㅂ ㅅ ㅈ.
      {u"갈비 살구",
       {false, true},
       u"갈삐 살구",
       true,
       {FutureQuestion(u"살구", u"살｜구", u"ㄱ", u"4文字目　갈비 ［살구］"),
        FutureQuestion(u"갈비", u"갈｜비", u"ㅂ", u"1文字目　［갈비］ 살구")}},
      // Not across a space.
      {u"갈 비", {}, u"갈 비", false, {}},
  };
  for (const AskedCase& c : cases) RunTensification45(c);
}

TEST(Tensification45, ObstruentFinalsTenseWithoutQuestions) {
  const AskedCase cases[] = {
      {u"좋소", {}, u"조쏘", true, {}},
      {u"학교", {}, u"하꾜", true, {}},  // same place: the final merges
      {u"듣다", {}, u"드따", true, {}},
      {u"밥보", {}, u"바뽀", true, {}},
      {u"국밥", {}, u"국빱", true, {}},
      {u"낮잠", {}, u"낟짬", true, {}},
      {u"입술", {}, u"입쑬", true, {}},
      {u"옷장", {}, u"옫짱", true, {}},
      {u"앞집", {}, u"압찝", true, {}},
      {u"읽고", {}, u"이꼬", true, {}},
      {u"없다", {}, u"업따", true, {}},
      {u"꽃밭", {}, u"꼳빹", true, {}},  // 밭 keeps its ㅌ for stage 21
      {u"닭장", {}, u"닥짱", true, {}},
      {u"학 교", {}, u"학 교", false, {}},
      {u"안다", {}, u"안다", false, {}},
      {u"감자", {}, u"감자", false, {}},
  };
  for (const AskedCase& c : cases) RunTensification45(c);
}

}  // namespace
}  // namespace pimoru
