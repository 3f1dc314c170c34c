// Stages 2 and 3: joining number words to counters, and the special words.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "hangul/ask.h"
#include "hangul/word_list.h"
#include "pipeline/options.h"
#include "pipeline/pipeline.h"
#include "pipeline/stage_record.h"
#include "pipeline/stages.h"
#include "support/stage_cases.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

// The outputs are written as the record shows them, a join as "$".
void ExpectAdjustSpacing(WordListSource& lists,
                         const std::vector<StageCase>& cases) {
  for (const StageCase& c : cases) {
    SCOPED_TRACE(U8(c.input));
    std::u16string text(c.input);
    EXPECT_EQ(RunStage(AdjustSpacing, text, StageSetup().With(lists)),
              c.changed);
    std::u16string recorded;
    RecordText(text, recorded);
    EXPECT_EQ(U8(recorded), U8(c.output));
  }
}

TEST(AdjustSpacing, JoinsNumberWordsToListedCounters) {
  for (const bool bom : {true, false}) {
    SCOPED_TRACE(bom ? "with BOM" : "without BOM");
    TempFolder folder;
    // The three-field line does not qualify; the fifth field is not used.
    folder.WriteUtf16("co_suff.txt",
                      u"0,개,x,y\r\n0,권,x\r\n\r\n1,달,x,y,z\r\n0 살 x y", bom);
    FolderWordLists lists(folder.path());
    ExpectAdjustSpacing(
        lists, {
                   {u"사과 한 개", u"사과 한$개", true},
                   {u"사과 두 개 세 개 네 개", u"사과 두$개 세$개 네$개", true},
                   {u"하나 한 개 한 개", u"하나 한$개 한$개", true},
                   // A number word that begins the text has no space before.
                   {u"한 개", u"한 개", false},
                   {u"한 개 한 개", u"한 개 한$개", true},
                   // Nothing is needed after the counter.
                   {u"그 한 개월", u"그 한$개월", true},
                   {u"사과 한개", u"사과 한개", false},
                   {u"사과 다섯 개", u"사과 다섯 개", false},
                   // 달 is listed as irregular: 석 and 넉, not 세 and 네.
                   {u"이 석 달", u"이 석$달", true},
                   {u"이 세 달", u"이 세 달", false},
                   {u"이 넉 달 네 달", u"이 넉$달 네 달", true},
                   {u"이 한 달", u"이 한$달", true},
                   // Blanks separate fields, so 살 is listed too.
                   {u"아이 네 살", u"아이 네$살", true},
                   {u"책 한 권", u"책 한 권", false},
                   // A typed "$" is no join.
                   {u"US$5 한$개", u"US$5 한$개", false},
                   {u"", u"", false},
               });
  }
}

TEST(AdjustSpacing, RegularCounterTakesSeAndNe) {
  TempFolder folder;
  folder.WriteUtf16("co_suff.txt", u"0,달,x,y\n");
  FolderWordLists lists(folder.path());
  ExpectAdjustSpacing(lists, {
                                 {u"이 세 달", u"이 세$달", true},
                                 {u"이 석 달", u"이 석 달", false},
                                 {u"이 넉 달", u"이 넉 달", false},
                             });
}

TEST(AdjustSpacing, MissingListChangesNothing) {
  TempFolder folder;
  FolderWordLists lists(folder.path());
  ExpectAdjustSpacing(lists, {{u"사과 한 개", u"사과 한 개", false}});
}

// In the inputs below, \uFDD1 is the join that stage 2 made.
struct SpecialCase {
  std::u16string_view input;
  std::u16string_view output;
  bool changed;
  std::vector<int> credited;  // the numbers of the stages raised
};

void ExpectSpecialWords(WordListSource& lists,
                        const std::vector<SpecialCase>& cases) {
  for (const SpecialCase& c : cases) {
    SCOPED_TRACE(U8(c.input));
    std::u16string text(c.input);
    StageRecord record;
    EXPECT_EQ(RunStage(ApplySpecialWords, text,
                       StageSetup().With(lists).With(record)),
              c.changed);
    EXPECT_EQ(U8(text), U8(c.output));
    std::vector<int> credited;
    for (const Stage& stage : Stages()) {
      if (record.changed[stage.id]) credited.push_back(StageNumber(stage.id));
    }
    EXPECT_EQ(credited, c.credited);
    for (const std::u16string& result : record.results) EXPECT_EQ(result, u"");
  }
}

TEST(ApplySpecialWords, ReplacesCreditsAndRemovesJoinMarkers) {
  for (const bool bom : {true, false}) {
    SCOPED_TRACE(bom ? "with BOM" : "without BOM");
    TempFolder folder;
    folder.WriteUtf16("kspecial.txt",
                      u"6,한$잔,한$짠\r\n"      // sees the join of stage 2
                      u"12,맛#없다,마덥따\r\n"  // "#" stands for a space
                      u"19,김밥,김빱\r\n"
                      u"0,가가,가가\r\n"  // replacement equals pattern
                      u"24,xy,XY\r\n"     // the reading of numbers: no credit
                      u"-1,uv,UV\r\n"     // nor a negative one
                      u"5,제#일,제일,x\r\n"  // four fields: skipped
                      u"5,나,다,\r\n"        // trailing comma: skipped
                      u"7,파,타\r\n"         // 파 → 타
                      u"7,타,하\r\n",        // sees the 타 just made
                      bom);
    FolderWordLists lists(folder.path());
    ExpectSpecialWords(lists,
                       {
                           {u"술 한\uFDD1잔", u"술 한짠", true, {6}},
                           {u"술 한 잔", u"술 한 잔", false, {}},
                           {u"맛 없다 맛없다", u"마덥따 맛없다", true, {12}},
                           {u"김밥 한\uFDD1개", u"김빱 한개", true, {19}},
                           {u"가가", u"가가", true, {0}},
                           {u"xy uv", u"XY UV", true, {}},
                           {u"제 일", u"제 일", false, {}},
                           {u"나파", u"나하", true, {7}},
                           {u"김밥 한\uFDD1잔 맛 없다",
                            u"김빱 한짠 마덥따",
                            true,
                            {6, 12, 19}},
                           // A "$" typed by the user stays, and the "$" of an
                           // entry matches only a join.
                           {u"a$b$$ 술 한$잔", u"a$b$$ 술 한$잔", false, {}},
                           {u"", u"", false, {}},
                       });
  }
}

TEST(ApplySpecialWords, MissingListStillRemovesJoinMarkers) {
  TempFolder folder;
  FolderWordLists lists(folder.path());
  ExpectSpecialWords(lists, {
                                {u"사과 한\uFDD1개", u"사과 한개", false, {}},
                                {u"US$5", u"US$5", false, {}},
                                {u"김밥", u"김밥", false, {}},
                            });
}

// The whole conversion with the lists of a folder, answering No.
std::u16string RunWithLists(std::u16string_view input, const TempFolder& folder,
                            const Options& options, StageRecord& record) {
  FolderWordLists lists(folder.path());
  FixedAsker asker(false);
  return RunPipeline(input, options, lists, asker, record);
}

TEST(SpacingInThePipeline, JoinIsStoredAndRemovedBeforeTheReading) {
  TempFolder folder;
  folder.WriteUtf16("co_suff.txt", u"0,개,x,y\r\n");
  StageRecord record;
  EXPECT_EQ(RunWithLists(u"사과 한 개", folder, Options{}, record),
            u"사과 한개");
  EXPECT_TRUE(record.changed[StageId::kSpacing]);
  EXPECT_EQ(record.results[StageId::kSpacing], u"사과 한$개");

  // A typed "$" reaches the reading; the record shows it as typed, and the
  // join as "$" too.
  EXPECT_EQ(RunWithLists(u"US$5 사과 한 개", folder, Options{}, record),
            u"US$5 사과 한개");
  EXPECT_EQ(record.results[StageId::kSpacing], u"US$5 사과 한$개");
  // The join's own character, typed, is no join.
  EXPECT_EQ(RunWithLists(u"사과\uFDD1 한 개", folder, Options{}, record),
            u"사과\uFFFD 한개");
  EXPECT_FALSE(record.changed[StageId::kSpecialWords]);  // removing the markers
                                                         // is no change
  EXPECT_EQ(record.results[StageId::kSpecialWords], u"");

  // With a special-word list the markers go at the same point.
  folder.WriteUtf16("kspecial.txt", u"3,김밥,김빱\r\n");
  EXPECT_EQ(RunWithLists(u"사과 한 개", folder, Options{}, record),
            u"사과 한개");
  EXPECT_FALSE(record.changed[StageId::kSpecialWords]);
}

TEST(SpacingInThePipeline, CreditsSurviveOnlyWhereNoLaterStageAssigns) {
  TempFolder folder;
  folder.WriteUtf16("kspecial.txt",
                    u"0,가,가\r\n1,나,나\r\n2,다,다\r\n5,마,마\r\n10,바,바\r\n"
                    u"12,사,사\r\n19,아,아\r\n22,자,자\r\n");
  {
    SCOPED_TRACE("options off");
    StageRecord record;
    Options options;
    options.n_insert_flg = false;
    options.e_real_flg = false;
    RunWithLists(u"가나다 마바사 아자", folder, options, record);
    EXPECT_TRUE(record.changed[StageId::kSpecialWords]);
    EXPECT_EQ(record.results[StageId::kSpecialWords], u"가나다 마바사 아자");
    // The stages before the special words, the fourth tensification and
    // the stages switched off keep the credit, without a stored text.
    for (const StageId stage :
         {StageId::kInput, StageId::kFormatting, StageId::kSpacing,
          StageId::kNInsertion, StageId::kTensification4, StageId::kEndings}) {
      SCOPED_TRACE(StageNumber(stage));
      EXPECT_TRUE(record.changed[stage]);
    }
    EXPECT_EQ(record.results[StageId::kTensification4], u"");
    EXPECT_EQ(record.results[StageId::kNInsertion], u"");
    EXPECT_EQ(record.results[StageId::kEndings], u"");
    EXPECT_EQ(record.results[StageId::kSpacing], u"");
    // Nasalisation 1 and aspiration run later and assign their own result
    // over it.
    EXPECT_FALSE(record.changed[StageId::kNasalisation1]);
    EXPECT_FALSE(record.changed[StageId::kAspiration]);
  }
  {
    SCOPED_TRACE("options on");
    StageRecord record;
    Options options;
    options.n_insert_flg = true;
    options.e_real_flg = true;
    RunWithLists(u"마바사 아자", folder, options, record);
    EXPECT_TRUE(record.changed[StageId::kTensification4]);
    EXPECT_FALSE(record.changed[StageId::kNInsertion]);
    EXPECT_FALSE(record.changed[StageId::kEndings]);
    EXPECT_FALSE(record.changed[StageId::kNasalisation1]);
    EXPECT_FALSE(record.changed[StageId::kAspiration]);
    EXPECT_FALSE(record.changed[StageId::kInput]);  // 가 did not occur
  }
}

}  // namespace
}  // namespace pimoru
