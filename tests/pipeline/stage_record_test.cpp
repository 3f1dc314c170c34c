#include "pipeline/stage_record.h"

#include <gtest/gtest.h>

#include "hangul/ask.h"
#include "hangul/word_list.h"
#include "pipeline/pipeline.h"
#include "pipeline/stages.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

// The stage table gives each name its number, report name and help page:
// the numbers are those of the special-word list and the trace.
TEST(Stages, EachNameHasItsNumberReportNameAndHelpPage) {
  const struct {
    StageId stage;
    int number;
    std::u16string_view name;
    std::u16string_view page;
  } kCases[] = {
      {StageId::kInput, 0, u"生のハングル", u"sogo.html"},
      {StageId::kSpecialWords, 3, u"特異例の判断", u"kspecial.html"},
      {StageId::kUiVariationWords, 4, u"의の３変化", u"wi3var1.html"},
      {StageId::kUiVariation, 9, u"의の３変化", u"wi3var.html"},
      {StageId::kNInsertion, 10, u"N 挿入", u"n_sonyu1.html"},
      {StageId::kLiaison1, 13, u"連音化１", u"renonka.html"},
      {StageId::kLiaison2, 14, u"連音化２", u"renonka.html"},
      {StageId::kNasalisation2, 16, u"鼻音化２", u"bionka2.html"},
      {StageId::kTensification4, 19, u"濃音化４", u"noonka4.html"},
      {StageId::kFinals, 21, u"パッチムの標準化", u"pat_normalize.html"},
      {StageId::kVoicing, 23, u"有声音化", u"yuseionka1.html"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.number);
    EXPECT_EQ(StageNumber(c.stage), c.number);
    EXPECT_EQ(StageNumbered(c.number), c.stage);
    EXPECT_EQ(StageName(c.stage), c.name);
    EXPECT_EQ(HelpPage(c.stage), c.page);
  }
  EXPECT_EQ(StageNumbered(-1), std::nullopt);
  EXPECT_EQ(StageNumbered(1000), std::nullopt);
  for (const Stage& stage : Stages()) {
    EXPECT_EQ(&StageOf(stage.id), &stage);
  }
}

TEST(StageRecord, PreviousStageResultSkipsEmptyStagesAndTheInput) {
  StageRecord record;
  record.results[StageId::kInput] = u"raw";
  EXPECT_EQ(PreviousStageResult(record, StageId::kFormatting), u"");
  record.results[StageId::kFormatting] = u"one";
  record.results[StageId::kNasalisation1] = u"five";
  EXPECT_EQ(PreviousStageResult(record, StageId::kAspiration), u"five");
  EXPECT_EQ(PreviousStageResult(record, StageId::kNasalisation1), u"one");
  EXPECT_EQ(PreviousStageResult(record, StageId::kSpacing), u"one");
  EXPECT_EQ(PreviousStageResult(record, StageId::kVoicing), u"five");
}

TEST(RunPipeline, EmptyInputStoresTheInputAndTheFormattedInputOnly) {
  NoWordLists lists;
  ScriptedAsker asker;
  StageRecord record;
  record.results[StageId::kVoicing] = u"left over";
  record.changed[StageId::kVoicing] = true;
  EXPECT_EQ(RunPipeline(u"", Options{}, lists, asker, record), u"");
  for (const Stage& stage : Stages()) {
    SCOPED_TRACE(StageNumber(stage.id));
    EXPECT_FALSE(record.changed[stage.id]);
    EXPECT_EQ(record.results[stage.id], u"");
  }
  EXPECT_TRUE(asker.messages().empty());
}

TEST(RunPipeline, RawAndFormattedInputAreStored) {
  NoWordLists lists;
  FixedAsker asker(false);
  StageRecord record;
  RunPipeline(u" 값이  많다 ", Options{}, lists, asker, record);
  EXPECT_EQ(record.results[StageId::kInput], u" 값이  많다 ");
  EXPECT_EQ(record.results[StageId::kFormatting], u"값이 많다");
  EXPECT_FALSE(record.changed[StageId::kInput]);
  EXPECT_FALSE(record.changed[StageId::kFormatting]);
  EXPECT_EQ(record.results[StageId::kTensification4], u"");
}

}  // namespace
}  // namespace pimoru
