// Whole readings through the driver with no word lists: the stages in order
// and how they hand text to each other.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hangul/word_list.h"
#include "pipeline/options.h"
#include "pipeline/pipeline.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

struct Reading {
  std::u16string_view input;
  std::u16string_view reading;
};

void ExpectReadings(const std::vector<Reading>& readings,
                    const Options& options) {
  NoWordLists lists;
  StageRecord record;
  for (const Reading& r : readings) {
    SCOPED_TRACE(U8(r.input));
    ScriptedAsker no;  // answers No to whatever is asked
    EXPECT_EQ(U8(RunPipeline(r.input, options, lists, no, record)),
              U8(r.reading));
  }
}

TEST(PipelineReadings, OrdinaryTextAnsweringNo) {
  ExpectReadings(
      {
          {u"먹었어요", u"머거써요"},  // liaison, then ㅆ carried over
          {u"국물", u"궁물"},          // nasalisation before ㅁ
          {u"같이", u"가치"},          // palatalisation
          {u"좋고", u"조코"},          // aspiration
          {u"신라", u"실라"},          // lateralisation
          {u"값 없이", u"가법씨"},     // liaison across the space, tensing
          {u"학교", u"하꾜"},          // tensing after an obstruent
          {u"닭", u"닥"},              // representative final
          {u"", u""},
      },
      Options{});
}

TEST(PipelineReadings, HieutAndFormalEndingsFollowTheOptions) {
  Options weak;
  weak.h_strong_flg = false;
  ExpectReadings({{u"감사합니다", u"감사한미다"}}, weak);

  Options weak_plain = weak;
  weak_plain.e_real_flg = false;
  ExpectReadings({{u"감사합니다", u"감사함니다"}}, weak_plain);

  ExpectReadings({{u"감사합니다", u"감사안미다"}}, Options{});
}

TEST(PipelineReadings, NInsertionAnsweredYesIsLateralised) {
  // 물약: N-insertion gives 물냑, and lateralisation makes it 물략.
  Options options;
  options.n_insert_flg = true;
  NoWordLists lists;
  StageRecord record;
  ScriptedAsker yes({true});
  EXPECT_EQ(U8(RunPipeline(u"물약", options, lists, yes, record)), U8(u"물략"));
  EXPECT_EQ(yes.messages().size(), 1u);
  EXPECT_TRUE(record.changed[StageId::kNInsertion]);
  EXPECT_TRUE(record.changed[StageId::kLateralisation]);

  // Answered No, the ㄹ is carried over instead.
  ScriptedAsker no({false});
  EXPECT_EQ(U8(RunPipeline(u"물약", options, lists, no, record)), U8(u"무략"));
}

TEST(PipelineReadings, AnswersReachTheLateStages) {
  NoWordLists lists;
  StageRecord record;
  // Group A of nasalisation 2: Yes keeps ㄴ + ㄴ, No lets stage 17 make ㄹㄹ.
  ScriptedAsker yes({true});
  EXPECT_EQ(U8(RunPipeline(u"생산력", Options{}, lists, yes, record)),
            U8(u"생산녁"));
  ScriptedAsker no({false});
  EXPECT_EQ(U8(RunPipeline(u"생산력", Options{}, lists, no, record)),
            U8(u"생살력"));
  // 발달: No to the future adnominal, Yes to Sino-Korean; the fifth
  // tensification alone.
  ScriptedAsker sino({false, true});
  EXPECT_EQ(U8(RunPipeline(u"발달", Options{}, lists, sino, record)),
            U8(u"발딸"));
  EXPECT_EQ(sino.messages().size(), 2u);
  EXPECT_TRUE(record.changed[StageId::kTensification5]);
  EXPECT_FALSE(record.changed[StageId::kTensification4]);
  EXPECT_TRUE(record.results[StageId::kTensification4].empty());
}

}  // namespace
}  // namespace pimoru
