// Stages 13 and 14: liaison through the representative sound, then
// ordinary liaison.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "hangul/jamo.h"
#include "hangul/word_list.h"
#include "pipeline/options.h"
#include "pipeline/pipeline.h"
#include "pipeline/stage_record.h"
#include "pipeline/stages.h"
#include "support/stage_cases.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

TEST(Liaison1, LinkingWords) {
  ExpectJamoStage(ApplyLiaison1,
                  {
                      // Across one space or within the word, the same result.
                      {u"책 안에", u"채간에", true},
                      {u"책안에", u"채간에", true},
                      {u"부엌 안으로", u"부어간으로", true},  // ㅋ → ㄱ
                      {u"옷 안을", u"오단을", true},  // 안을 before 안으
                      {u"집 안쪽", u"지반쪽", true},
                      {u"맛있다", u"마딨다", true},
                      {u"맛없다", u"마덦다", true},
                      {u"값없이", u"가벖이", true},  // ㅄ → ㅂ, 없 keeps ㅄ
                      {u"값 없이", u"가벖이", true},
                      {u"넋 없이", u"너겂이", true},  // ㄳ → ㄱ
                      {u"잎 아니다", u"이바니다", true},
                      {u"책 아니다", u"채가니다", true},
                      {u"옷입니다", u"오딥니다", true},
                      {u"꽃이에요", u"꼬디에요", true},
                      {u"부엌 안에 꽃이에요", u"부어간에 꼬디에요", true},
                      // A final in no class stays where it is.
                      {u"닭 안에", u"닭 안에", false},
                      {u"산 있다", u"산 있다", false},
                      {u"값있다", u"가빘다", true},
                      // Exactly one space: two keep the words apart.
                      {u"책  안에", u"책  안에", false},
                  });
}

TEST(Liaison1, StandaloneAn) {
  ExpectJamoStage(
      ApplyLiaison1,
      {
          {u"안 와", u"안와", true},
          {u"밖 안 가", u"바간가", true},     // ㄲ carried over too
          {u"밥안 먹어", u"바반먹어", true},  // space after 안 goes
          {u"산 안 가", u"산 안가", true},    // ㄴ is in no class
          {u"나 안 가", u"나 안가", true},
          // The space added at the end matches: unchanged, but true.
          {u"가방 안", u"가방 안", true},
          {u"안", u"안", true},
          {u"안녕", u"안녕", false},
      });
}

TEST(Liaison1, Mot) {
  ExpectJamoStage(ApplyLiaison1,
                  {
                      {u"못 와", u"모돠", true},
                      {u"못와", u"모돠", true},
                      {u"잘못 알다", u"잘모달다", true},
                      {u"못 얘기", u"모댸기", true},    // ㅒ counts
                      {u"못 안에", u"모단에", true},    // by the 안에 rules
                      {u"못 이겨", u"못 이겨", false},  // not before ㅣ, ㅕ
                      {u"못 열어", u"못 열어", false},
                      {u"못 가", u"못 가", false},
                  });
}

TEST(Liaison1, EndsAndOtherText) {
  ExpectJamoStage(ApplyLiaison1, {
                                     {u"", u"", false},
                                     {u"abc", u"abc", false},
                                     {u"책 안에.", u"채간에.", true},
                                     {u"(책 안에)", u"(채간에)", true},
                                     {u"책. 안에", u"책. 안에", false},
                                 });
  // The ends are trimmed, and trimming alone is no change.
  std::u16string text = u" \tabc \r\n";
  EXPECT_FALSE(RunStage(ApplyLiaison1, text));
  EXPECT_EQ(text, u"abc");
  text = DecomposeText(u"  책 안에 ");
  EXPECT_TRUE(RunStage(ApplyLiaison1, text));
  EXPECT_EQ(text, DecomposeText(u"채간에"));
}

TEST(Liaison2, Table) {
  ExpectJamoStage(
      ApplyLiaison2,
      {
          // A single final moves over whole.
          {u"먹어", u"머거", true},
          {u"부엌에", u"부어케", true},
          {u"밖에", u"바께", true},
          {u"안에", u"아네", true},
          {u"받아", u"바다", true},
          {u"옷이", u"오시", true},
          {u"있어", u"이써", true},
          {u"낮에", u"나제", true},
          {u"꽃을", u"꼬츨", true},
          {u"밭을", u"바틀", true},
          {u"물이", u"무리", true},
          {u"몸이", u"모미", true},
          {u"입어", u"이버", true},
          {u"앞에", u"아페", true},
          // Of a double final the second consonant moves.
          {u"읽어", u"일거", true},
          {u"넋이", u"넉시", true},
          {u"앉아", u"안자", true},
          {u"외곬으로", u"외골스로", true},
          {u"핥아", u"할타", true},
          {u"밟아", u"발바", true},
          {u"젊어", u"절머", true},
          {u"값이", u"갑시", true},
          {u"읊어", u"을퍼", true},
          // ㅎ in a cluster is silent: ㄶ lets ㄴ move, ㅀ keeps ㄹ.
          {u"않아", u"아나", true},
          {u"싫어", u"실어", true},
          // Every link of a chain in one run.
          {u"먹었어요", u"머거써요", true},
          {u"안와", u"아놔", true},
          {u"가벖이", u"가법시", true},
          // No rule for ㅇ and ㅎ, none across a space.
          {u"강아지", u"강아지", false},
          {u"좋아", u"좋아", false},
          {u"옷 입어", u"옷 이버", true},
          {u"책 안", u"책 안", false},
          {u"마딨다", u"마딨다", false},
          {u"abc", u"abc", false},
          {u"", u"", false},
      });
  // No trimming here: the ends stay as they are.
  std::u16string text = DecomposeText(u" 먹어 ");
  EXPECT_TRUE(RunStage(ApplyLiaison2, text));
  EXPECT_EQ(text, DecomposeText(u" 머거 "));
}

// Stages 13 and 14 as the pipeline runs them, read from the stage record.
TEST(LiaisonStagesInPipeline, Stage14WorksOnStage13) {
  struct PipelineCase {
    std::u16string_view input;
    std::u16string_view after13;
    std::u16string_view after14;
  } const cases[] = {
      {u"값 없이", u"가벖이", u"가법시"},
      {u"안 와", u"안와", u"아놔"},
      {u"책 안에", u"채간에", u"채가네"},
      {u"못 와요", u"모돠요", u""},  // nothing left for stage 14
  };
  NoWordLists lists;
  StageRecord record;
  for (const PipelineCase& c : cases) {
    SCOPED_TRACE(U8(c.input));
    ScriptedAsker asker;
    RunPipeline(c.input, Options{}, lists, asker, record);
    EXPECT_TRUE(record.changed[StageId::kLiaison1]);
    EXPECT_EQ(U8(record.results[StageId::kLiaison1]), U8(c.after13));
    EXPECT_EQ(record.changed[StageId::kLiaison2], !c.after14.empty());
    EXPECT_EQ(U8(record.results[StageId::kLiaison2]), U8(c.after14));
  }
}

}  // namespace
}  // namespace pimoru
