#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hangul/jamo.h"
#include "pipeline/stages.h"
#include "support/stage_cases.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

// The word question of group A for `word`, marked where ㄴ meets ㄹ.
std::u16string SuffixQuestion(std::u16string_view word,
                              std::u16string_view marked,
                              std::u16string_view position = u"") {
  return QuestionMessage(QuestionKind::kSinoKoreanSuffix, word, marked, u"ㄴ",
                         u"ㄹ", position);
}

// The junction question of group B for `word`, naming `final_letter`.
std::u16string SinoQuestion(std::u16string_view word,
                            std::u16string_view marked,
                            std::u16string_view final_letter,
                            std::u16string_view position = u"") {
  return QuestionMessage(QuestionKind::kSinoKoreanNasalisation, word, marked,
                         final_letter, u"ㄹ", position);
}

TEST(Silencing, DropsOrWeakensHieut) {
  struct Case {
    std::u16string_view input;
    bool h_strong;
    std::u16string_view output;
    bool changed;
  } const cases[] = {
      // Rules 1 to 5 run whatever the option.
      {u"좋아", false, u"조아", true},
      {u"좋아", true, u"조아", true},
      {u"간단히", false, u"간다니", true},
      {u"꼼꼼히", false, u"꼼꼬미", true},
      {u"골똘히", false, u"골또리", true},
      {u"조용히", false, u"조용이", true},  // ㅇ stays a final
      {u"조용히", true, u"조용이", true},
      // Weakened ㅎ only with the option.
      {u"전화", false, u"전화", false},
      {u"전화", true, u"저놔", true},
      {u"담화", true, u"다뫄", true},
      {u"결혼", true, u"겨론", true},
      {u"영화", true, u"영와", true},
      {u"고향", true, u"고양", true},
      {u"고향", false, u"고향", false},
      // 희 after a vowel is read 이: the ㅢ pass runs before the plain ㅎ one.
      {u"저희", true, u"저이", true},
      {u"저희", false, u"저희", false},
      // Only a ㅎ right after a vowel or a sonorant final.
      {u"하늘", true, u"하늘", false},
      {u"학교", true, u"학교", false},
      {u"저 하늘", true, u"저 하늘", false},
      {u"전 화", true, u"전 화", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.input) + (c.h_strong ? " strong" : " weak"));
    std::u16string text = DecomposeText(c.input);
    StageSetup setup;
    setup.options.h_strong_flg = c.h_strong;
    EXPECT_EQ(RunStage(ApplySilencing, text, setup), c.changed);
    EXPECT_EQ(ComposeText(text), c.output);
  }
}

void RunNasalisation2(const AskedCase& c) {
  ExpectAskingStage(ApplyNasalisation2, c);
}

TEST(Nasalisation2, SuffixWordsAreAskedWordByWord) {
  const AskedCase cases[] = {
      {u"생산력",
       {true},
       u"생산녁",
       true,
       {SuffixQuestion(u"생산력", u"생산｜력")}},
      {u"생산력",
       {false},
       u"생산력",
       false,
       {SuffixQuestion(u"생산력", u"생산｜력")}},
      {u"구인란",
       {true},
       u"구인난",
       true,
       {SuffixQuestion(u"구인란", u"구인｜란")}},
      // 료 with or without a final after it.
      {u"보관료",
       {true},
       u"보관뇨",
       true,
       {SuffixQuestion(u"보관료", u"보관｜료")}},
      {u"관룡", {true}, u"관뇽", true, {SuffixQuestion(u"관룡", u"관｜룡")}},
      // The word shown is the whole word around the occurrence.
      {u"이 보관료를",
       {true},
       u"이 보관뇨를",
       true,
       {SuffixQuestion(u"보관료를", u"보관｜료를",
                       u"3文字目　이 ［보관료를］")}},
      // ㄴ + ㄹ across a space is no occurrence.
      {u"산 력", {}, u"산 력", false, {}},
  };
  for (const AskedCase& c : cases) RunNasalisation2(c);
}

TEST(Nasalisation2, SinoKoreanJunctionsAreAskedPerJunction) {
  const AskedCase cases[] = {
      {u"심리",
       {true},
       u"심니",
       true,
       {SinoQuestion(u"심리", u"심｜리", u"ㅁ")}},
      {u"대통령",
       {true},
       u"대통녕",
       true,
       {SinoQuestion(u"대통령", u"대통｜령", u"ㅇ")}},
      {u"국립",
       {true},
       u"궁닙",
       true,
       {SinoQuestion(u"국립", u"국｜립", u"ㄱ")}},
      {u"국립",
       {false},
       u"국립",
       false,
       {SinoQuestion(u"국립", u"국｜립", u"ㄱ")}},
      {u"협력",
       {true},
       u"혐녁",
       true,
       {SinoQuestion(u"협력", u"협｜력", u"ㅂ")}},
      // The same pattern twice in one word: asked twice, left to right.
      {u"대통령령",
       {true, false},
       u"대통녕령",
       true,
       {SinoQuestion(u"대통령령", u"대통｜령령", u"ㅇ"),
        SinoQuestion(u"대통령령", u"대통령｜령", u"ㅇ")}},
  };
  for (const AskedCase& c : cases) RunNasalisation2(c);
}

TEST(Nasalisation2, GroupsAskInTheirOrderWhateverTheTextOrder) {
  // Group B's 심리 stands first, but group A asks first; group C needs no
  // question.
  RunNasalisation2({u"심리 생산력 국물",
                    {true, true},
                    u"심니 생산녁 궁물",
                    true,
                    {SuffixQuestion(u"생산력", u"생산｜력",
                                    u"4文字目　심리 ［생산력］ 국물"),
                     SinoQuestion(u"심리", u"심｜리", u"ㅁ",
                                  u"1文字目　［심리］ 생산력 국물")}});
  // Answers No everywhere: the flag comes from group C alone.
  RunNasalisation2({u"심리 생산력 국물",
                    {false, false},
                    u"심리 생산력 궁물",
                    true,
                    {SuffixQuestion(u"생산력", u"생산｜력",
                                    u"4文字目　심리 ［생산력］ 국물"),
                     SinoQuestion(u"심리", u"심｜리", u"ㅁ",
                                  u"1文字目　［심리］ 생산력 국물")}});
}

TEST(Nasalisation2, ObstruentsBeforeNasalsWithoutQuestions) {
  struct Case {
    std::u16string_view input;
    std::u16string_view output;
    bool changed;
  } const cases[] = {
      {u"국물", u"궁물", true},
      {u"있는", u"인는", true},
      {u"없는", u"엄는", true},
      {u"읽는", u"잉는", true},
      {u"밥물", u"밤물", true},
      {u"꽃말", u"꼰말", true},
      {u"부엌문", u"부엉문", true},
      {u"앞날", u"암날", true},
      {u"겉모습", u"건모습", true},
      // Sonorant finals and the clusters outside the table stay.
      {u"간나", u"간나", false},
      {u"삶는", u"삶는", false},
      {u"끓는", u"끓는", false},
      {u"넓는", u"넓는", false},
      // Not across a space, and not before other initials.
      {u"국 물", u"국 물", false},
      {u"국수", u"국수", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.input));
    std::u16string text = DecomposeText(c.input);
    ScriptedAsker asker;
    EXPECT_EQ(RunStage(ApplyNasalisation2, text, StageSetup().With(asker)),
              c.changed);
    EXPECT_EQ(ComposeText(text), c.output);
    EXPECT_TRUE(asker.messages().empty());
  }
}

TEST(Nasalisation2, RefusedSuffixIsLateralisedNext) {
  std::u16string text = DecomposeText(u"생산력");
  ScriptedAsker no({false});
  RunStage(ApplyNasalisation2, text, StageSetup().With(no));
  EXPECT_TRUE(RunStage(ApplyLateralisation, text));
  EXPECT_EQ(ComposeText(text), u"생살력");

  std::u16string nasal = DecomposeText(u"생산력");
  ScriptedAsker yes({true});
  RunStage(ApplyNasalisation2, nasal, StageSetup().With(yes));
  EXPECT_FALSE(RunStage(ApplyLateralisation, nasal));
  EXPECT_EQ(ComposeText(nasal), u"생산녁");
}

TEST(Lateralisation, NieunNextToRieulBecomesRieul) {
  struct Case {
    std::u16string_view input;
    std::u16string_view output;
    bool changed;
  } const cases[] = {
      {u"신라", u"실라", true},
      {u"설날", u"설랄", true},
      {u"물냑", u"물략", true},  // as N-insertion leaves 물약
      {u"난로 칼날", u"날로 칼랄", true},
      {u"신 라", u"신 라", false},  // not across a space
      {u"국립", u"국립", false},
      {u"달", u"달", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.input));
    std::u16string text = DecomposeText(c.input);
    EXPECT_EQ(RunStage(ApplyLateralisation, text), c.changed);
    EXPECT_EQ(ComposeText(text), c.output);
  }
}

}  // namespace
}  // namespace pimoru
