// Stages 5 to 7: nasalisation and tensification in listed words.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "hangul/ask.h"
#include "hangul/word_list.h"
#include "pipeline/options.h"
#include "pipeline/pipeline.h"
#include "pipeline/stages.h"
#include "support/stage_cases.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

void ExpectStage(StageFunction stage, WordListSource& lists,
                 const std::vector<StageCase>& cases) {
  ExpectSyllableStage(stage, cases, StageSetup().With(lists));
}

TEST(Nasalisation1, ThreeFieldLinesReplaceFieldTwoByFieldThree) {
  for (const bool bom : {true, false}) {
    SCOPED_TRACE(bom ? "with BOM" : "without BOM");
    TempFolder folder;
    folder.WriteUtf16("kan_bion.txt",
                      u"1,의견란,의견난\r\n"
                      u"anything,생산량,생산냥\r\n"  // field 1 is not used
                      u"신라,실라\r\n"               // two fields: skipped
                      u"1,줄넘기,줄럼끼,x\r\n"       // four fields: skipped
                      u"1,\"할 수\",할쑤\r\n",       // a quoted space
                      bom);
    FolderWordLists lists(folder.path());
    ExpectStage(ApplyNasalisation1, lists,
                {
                    {u"의견란", u"의견난", true},
                    {u"새의견란에", u"새의견난에", true},  // inside a word
                    {u"의견란 생산량", u"의견난 생산냥", true},
                    {u"신라", u"신라", false},
                    {u"줄넘기", u"줄넘기", false},
                    {u"할 수 있다", u"할쑤 있다", true},
                    {u"할수", u"할수", false},
                    {u"", u"", false},
                });
  }
}

TEST(Tensification1, PairsApplyInFileOrderToEveryOccurrence) {
  for (const bool bom : {true, false}) {
    SCOPED_TRACE(bom ? "with BOM" : "without BOM");
    TempFolder folder;
    folder.WriteUtf16(
        "setsubi.txt",
        u"물가,물까\r\n"
        u"문법,문뻡\r\n"
        u"뻡적,뻡쩍\r\n"    // rewrites the output of the pair before
        u"1,산길,산낄\r\n"  // three fields: skipped
        u"강,강\r\n",       // replacement equals pattern
        bom);
    FolderWordLists lists(folder.path());
    ExpectStage(ApplyTensification1, lists,
                {
                    {u"물가 물가", u"물까 물까", true},
                    {u"문법적", u"문뻡쩍", true},
                    {u"뻡적", u"뻡쩍", true},
                    {u"산길", u"산길", false},
                    {u"강가", u"강가", true},
                    {u"사과", u"사과", false},
                });
  }
}

TEST(Tensification2, SecondSyllableAfterRieulIsTensed) {
  for (const bool bom : {true, false}) {
    SCOPED_TRACE(bom ? "with BOM" : "without BOM");
    TempFolder folder;
    folder.WriteUtf16("riul_pat.txt",
                      u"1,발달\r\n"
                      u"1,발전\r\n"
                      u"x,실시\r\n"
                      u"1,갈등하다\r\n"  // only the first two syllables count
                      u"1,발군\r\n"  // ㄱ stays: a pair that changes nothing
                      u"1,솔\r\n"    // one syllable: the same
                      u"1\r\n"       // one field: skipped
                      u"1,몰상식,x\r\n",  // three fields: skipped
                      bom);
    FolderWordLists lists(folder.path());
    ExpectStage(ApplyTensification2, lists,
                {
                    {u"발달", u"발딸", true},
                    {u"경제 발달이", u"경제 발딸이", true},
                    {u"발전", u"발쩐", true},
                    {u"실시하다", u"실씨하다", true},
                    {u"갈등이", u"갈뜽이", true},
                    {u"갈등하다", u"갈뜽하다", true},
                    {u"발군", u"발군", true},
                    {u"솔", u"솔", true},
                    {u"몰상식", u"몰상식", false},
                    {u"발 달", u"발 달", false},
                    {u"", u"", false},
                });
  }
}

TEST(WordRules, MissingListsChangeNothing) {
  TempFolder folder;
  FolderWordLists lists(folder.path());
  for (const StageFunction stage :
       {ApplyNasalisation1, ApplyTensification1, ApplyTensification2}) {
    ExpectStage(stage, lists,
                {{u"의견란 물가 발달", u"의견란 물가 발달", false}});
  }
}

// Found by fuzzing: entries that each lengthen what the one before made
// grew 98 letters into a million; a few more would exhaust the memory. A
// list may lengthen the text, but not past a bound: past it the conversion
// ends with an error that names the list.
TEST(WordRules, ListsThatSwellTheTextEndTheConversion) {
  std::u16string doubling;
  std::u16string doubling_pairs;
  for (int i = 0; i < 40; ++i) {
    doubling += u"3,가,가가\n";
    doubling_pairs += u"x,가,가가\n";
  }
  const std::u16string huge(200000, u'나');
  struct Row {
    const char* file;
    std::u16string list;
  } const rows[] = {
      {"kspecial.txt", doubling},
      {"kan_bion.txt", doubling_pairs},
      {"setsubi.txt", u"가," + huge + u"\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file);
    TempFolder folder;
    folder.WriteUtf16(row.file, row.list);
    FolderWordLists lists(folder.path());
    ScriptedAsker asker;
    StageRecord record;
    std::u16string input;
    for (int i = 0; i < 300; ++i) input += u"가 ";
    try {
      RunPipeline(input, Options{}, lists, asker, record);
      ADD_FAILURE() << "no error";
    } catch (const ConversionError& e) {
      EXPECT_NE(std::string(e.what()).find(row.file), std::string::npos)
          << e.what();
      // The list was read; only this text fails.
      EXPECT_EQ(e.kind(), ConversionError::Kind::kOther);
    }
    EXPECT_EQ(record.results[StageId::kInput],
              input);  // what was stored before stays
  }
  // Lengthening within the bound is no error.
  TempFolder folder;
  folder.WriteUtf16("setsubi.txt", u"가,가가가가\n");
  FolderWordLists lists(folder.path());
  ExpectStage(ApplyTensification1, lists,
              {{u"가 가", u"가가가가 가가가가", true}});
}

}  // namespace
}  // namespace pimoru
