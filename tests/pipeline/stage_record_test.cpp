#include "pipeline/stage_record.h"

#include <gtest/gtest.h>

#include "hangul/ask.h"
#include "hangul/word_list.h"
#include "pipeline/pipeline.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

TEST(StageRecord, NamesAndHelpPagesOfTheSlots) {
  EXPECT_EQ(StageName(0), u"生のハングル");
  EXPECT_EQ(StageName(10), u"N 挿入");
  EXPECT_EQ(StageName(4), u"의の３変化");
  EXPECT_EQ(StageName(9), u"의の３変化");
  EXPECT_EQ(StageName(23), u"有声音化");
  EXPECT_EQ(StageName(24), u"");
  EXPECT_EQ(StageName(-1), u"");
  EXPECT_EQ(HelpPage(13), u"renonka.html");
  EXPECT_EQ(HelpPage(14), u"renonka.html");
  EXPECT_EQ(HelpPage(21), u"pat_normalize.html");
  EXPECT_EQ(HelpPage(24), u"");
}

TEST(StageRecord, PreviousStageResultSkipsEmptySlotsAndSlotZero) {
  StageRecord record;
  record.results[0] = u"raw";
  EXPECT_EQ(PreviousStageResult(record, 1), u"");
  record.results[1] = u"one";
  record.results[5] = u"five";
  EXPECT_EQ(PreviousStageResult(record, 12), u"five");
  EXPECT_EQ(PreviousStageResult(record, 5), u"one");
  EXPECT_EQ(PreviousStageResult(record, 2), u"one");
  EXPECT_EQ(PreviousStageResult(record, 99), u"five");
}

TEST(RunPipeline, EmptyInputStoresSlotsZeroAndOneOnly) {
  NoWordLists lists;
  ScriptedAsker asker;
  StageRecord record;
  record.results[23] = u"left over";
  record.changed[23] = true;
  EXPECT_EQ(RunPipeline(u"", Options{}, lists, asker, record), u"");
  for (int slot = 0; slot < kSlotCount; ++slot) {
    SCOPED_TRACE(slot);
    EXPECT_FALSE(record.changed[slot]);
    EXPECT_EQ(record.results[slot], u"");
  }
  EXPECT_TRUE(asker.messages().empty());
}

TEST(RunPipeline, RawAndFormattedInputAreStored) {
  NoWordLists lists;
  FixedAsker asker(false);
  StageRecord record;
  RunPipeline(u" 값이  많다 ", Options{}, lists, asker, record);
  EXPECT_EQ(record.results[0], u" 값이  많다 ");
  EXPECT_EQ(record.results[1], u"값이 많다");
  EXPECT_FALSE(record.changed[0]);
  EXPECT_FALSE(record.changed[1]);
  EXPECT_EQ(record.results[19], u"");
}

}  // namespace
}  // namespace pimoru
