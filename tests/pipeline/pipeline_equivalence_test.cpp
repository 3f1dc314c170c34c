// The stages visit only the rules and list entries that may stand in the
// text, told so by the pattern indexes and the text's summary, and a batch
// keeps only the record's flags. These tests hold whole conversions to a
// plain run that tries every rule, pass and entry and keeps every text, on
// the everyday sentences of the benchmark corpus and on odd inputs, under
// every option and every way of answering.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "hangul/jamo.h"
#include "hangul/question.h"
#include "hangul/utf.h"
#include "hangul/word_list.h"
#include "pipeline/options.h"
#include "pipeline/pipeline.h"
#include "pipeline/stages.h"
#include "render/transcription.h"
#include "support/plain_run.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

namespace fs = std::filesystem;

std::vector<std::u16string> Inputs() {
  std::vector<std::u16string> inputs;
  std::ifstream corpus(PIMORU_SENTENCES_FILE);
  std::string line;
  while (std::getline(corpus, line)) inputs.push_back(Utf8ToUtf16Lossy(line));
  EXPECT_GT(inputs.size(), 300u);
  for (const std::u16string_view odd : {
           u"",
           u"   ",
           u"사과 한 개 두 장 석 달 넉 장 세 명 네 살",
           u"US$100 AKYD dv$fs A%Y $$",
           u"회의 강의를 의사 희망 무늬 예외 계속",
           u"할 수 갈 데 할게 먹을 것",
           u"솜이불 국립 신라 생산력 구인란 보관료",
           u"한\u1161국어 각\u11A8이 \u1100한 \u1161b",  // typed jamo
           u"3번 목록을 3번 봤어요 100명 KTX 20대 hello 3D 1,00,0",
       }) {
    inputs.emplace_back(odd);
  }
  // Outside the BMP, a lone surrogate, a tab and a NUL.
  constexpr char16_t kControls[] = u"😀값이\xD800많다\t\0끝";
  inputs.emplace_back(kControls, std::size(kControls) - 1);
  return inputs;
}

// Odd lists: entries that overlap, that form one another, that hold the
// join marker or the old marker texts, and that are empty.
void WriteOddLists(const TempFolder& folder) {
  folder.WriteUtf16("kdat/co_suff.txt",
                    u"0,개,x,y\n1,달,x,y\n0,,x,y\n0,장,x,y\n0,명,x,y\n");
  folder.WriteUtf16("kdat/kspecial.txt",
                    u"6,한$개,한$깨\n3,K,AKYD\n3,AKYD,K\n3,$,#\n"
                    u"19,의사,의사\n3,회의,회이\n5,이,\"\"\n3,의,의의\n");
  folder.WriteUtf16("kdat/wi3var.txt", u"의사\n회의\n강의\n\"\"\n이의\n");
  folder.WriteUtf16("kdat/kan_bion.txt", u"x,생산력,생산녁\nx,력,력\n");
  folder.WriteUtf16("kdat/setsubi.txt",
                    u"물가,물까\n까,가\n가,까\n할게,할께\n먹을,먹을\n");
  folder.WriteUtf16("kdat/riul_pat.txt", u"x,발달\nx,신라\nx,갈\n");
  folder.WriteUtf16("kdat/riul_future.txt",
                    u"0,x,\"할 \"\n1,x,\"갈 \"\n1,x,먹을\n0,x,\"\"\n1,x,을\n");
}

// Options from three flag bits: N-insertion and the reading of numbers
// (the two stages switched on that ask), strong ㅎ, real endings.
Options OptionsOf(int flags) {
  Options options;
  options.n_insert_flg = flags & 1;
  options.read_numbers_flg = flags & 1;
  options.h_strong_flg = flags & 2;
  options.e_real_flg = flags & 4;
  return options;
}

struct Run {
  std::u16string reading;
  StageRecord record;
  std::vector<std::u16string> messages;
};

Run Convert(const std::u16string& input, const Options& options,
            WordListSource& lists, Asker& asker) {
  Run run;
  run.reading = RunPipeline(input, options, lists, asker, run.record);
  return run;
}

Run ConvertPlainly(const std::u16string& input, const Options& options,
                   WordListSource& lists, Asker& asker) {
  Run run;
  run.reading = RunPipelinePlainly(input, options, lists, asker, run.record);
  return run;
}

bool SameQuestions(const ScriptedAsker& a, const ScriptedAsker& b) {
  if (a.questions().size() != b.questions().size()) return false;
  for (std::size_t k = 0; k < a.questions().size(); ++k) {
    const AskedQuestion& x = a.questions()[k];
    const AskedQuestion& y = b.questions()[k];
    if (x.kind != y.kind || x.typed_word != y.typed_word ||
        x.message != y.message) {
      return false;
    }
  }
  return true;
}

void ExpectSameConversions(const fs::path& folder) {
  LoadedWordLists lists(folder);
  const std::vector<std::u16string> inputs = Inputs();
  std::mt19937 random(11);
  for (int flags = 0; flags < 8; ++flags) {
    const Options options = OptionsOf(flags);
    for (const std::u16string& input : inputs) {
      SCOPED_TRACE(U8(input) + " options " + std::to_string(flags));
      // Scripted answers, the same for both runs, show every message.
      std::vector<bool> script;
      for (int i = 0; i < 40; ++i) script.push_back(random() % 2 == 0);
      ScriptedAsker fast_asker(script);
      ScriptedAsker plain_asker(script);
      const Run fast = Convert(input, options, lists, fast_asker);
      const Run slow = ConvertPlainly(input, options, lists, plain_asker);
      EXPECT_EQ(U8(fast.reading), U8(slow.reading));
      EXPECT_EQ(fast.record.results, slow.record.results);
      EXPECT_EQ(fast.record.changed, slow.record.changed);
      EXPECT_TRUE(SameQuestions(fast_asker, plain_asker));
      // Always Yes and always No, without a look at the questions, against
      // the same answers given by an asker that reads them.
      for (const bool answer : {true, false}) {
        FixedAsker fixed(answer);
        ScriptedAsker scripted(std::vector<bool>(4096, answer));
        const Run quick = Convert(input, options, lists, fixed);
        const Run full = ConvertPlainly(input, options, lists, scripted);
        EXPECT_EQ(U8(quick.reading), U8(full.reading)) << answer;
        EXPECT_EQ(quick.record.results, full.record.results);
        EXPECT_EQ(quick.record.changed, full.record.changed);
        // Keeping only the flags changes nothing else.
        StageRecord flags_only;
        EXPECT_EQ(RunPipeline(input, options, lists, fixed, flags_only,
                              RecordTexts::kFlagsOnly),
                  quick.reading);
        EXPECT_EQ(flags_only.changed, quick.record.changed);
        EXPECT_EQ(flags_only.results[StageId::kFormatting],
                  quick.record.results[StageId::kFormatting]);
        for (const Stage& stage : StagesFrom(StageId::kFormatting).subspan(1)) {
          EXPECT_EQ(flags_only.results[stage.id], u"") << StageNumber(stage.id);
        }
        StageRecord all_record = full.record;
        const auto notation = static_cast<Notation>(flags % 3);
        const Transcription all =
            Transcribe(quick.reading, notation, all_record);
        const Transcription bare = Transcribe(
            quick.reading, notation, flags_only, RecordTexts::kFlagsOnly);
        EXPECT_EQ(bare.symbols, all.symbols);
        EXPECT_EQ(bare.kana, all.kana);
        EXPECT_EQ(bare.voicing_marks, all.voicing_marks);
        EXPECT_EQ(flags_only.changed[StageId::kVoicing],
                  all_record.changed[StageId::kVoicing]);
        EXPECT_EQ(flags_only.results[StageId::kVoicing], u"");
      }
    }
  }
}

TEST(PipelineEquivalence, ShippedListsSameAsThePlainRun) {
  ExpectSameConversions(fs::path(PIMORU_STAGED_DATA_DIR) / "kdat");
}

TEST(PipelineEquivalence, OddListsSameAsThePlainRun) {
  TempFolder folder;
  WriteOddLists(folder);
  ExpectSameConversions(folder.path() / "kdat");
}

}  // namespace
}  // namespace pimoru
