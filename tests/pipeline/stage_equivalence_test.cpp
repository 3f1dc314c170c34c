// The jamo stages skip the rules and passes whose patterns cannot occur,
// told so by the pattern indexes and the text's summary. This test holds
// each of them to a plain run of every rule, pass and question.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "hangul/jamo.h"
#include "hangul/word_list.h"
#include "pipeline/options.h"
#include "pipeline/stages.h"
#include "support/plain_run.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

// Sentences rich in the junctions the jamo stages rewrite, and a few
// corner cases (endings back to back, overlapping endings, lone jamo).
std::vector<std::u16string> Inputs() {
  std::vector<std::u16string> inputs;
  for (const std::u16string_view sentence : {
           u"",
           u" ",
           u"a",
           u"감사합니다",
           u"감사함니다",
           u"담니담니다",
           u"감니다감니까 남니까남니다",
           u"고향에 가면 전화해 주세요",
           u"저희는 조용히 결혼했어요",
           u"생산력과 구인란 보관료 관료",
           u"심리 대통령 국립 협력 읽는 없는 있는 밥물 꽃말",
           u"신라의 설날에 물냑을",
           u"할게 발달 갈비 살구 결석 발전",
           u"학교 국밥 낮잠 입술 옷장 앞집 읽고 좋소 듣다",
           u"히읗 닭 값 삶 여덟 꽃 희망 무늬 의사",
           u"슴니다 먹슴니까? 햄니다만 갑니다 감 니다",
           u"책 안에 밭 안을 옷안에 부엌 있어 값 없어 못 와 잘못 알다 꽃 "
           u"아니 밥 입니다 닭 이에요 산 안 가 안쪽 앞 안으로",
       }) {
    inputs.push_back(DecomposeText(sentence));
  }
  inputs.push_back(
      std::u16string{fin::kMieum, ini::kNieun, med::kI, ini::kDigeut, med::kA});
  inputs.push_back(std::u16string{u'x', med::kA, fin::kMieum, ini::kNieun,
                                  med::kI, ini::kDigeut, med::kA});
  // Random texts from syllables that take part in the rules.
  // Every final once at least, the initials the rules look for, and ㅢ.
  constexpr std::u16string_view kPool =
      u"감니다까담함희하히좋아전화국물신라력란료심리발달갈비학교값닭읽늬의"
      u"슴않밥있는없꽃말령통산생관보힣헤저용부엌밖몫앉많받옷낮밭앞읊곬핥싫"
      u"넓삶먹나미자사안에을으쪽아니입이못와  ";
  std::mt19937 random(20240611);
  std::uniform_int_distribution<std::size_t> pick(0, kPool.size() - 1);
  std::uniform_int_distribution<int> length(1, 14);
  for (int i = 0; i < 400; ++i) {
    std::u16string text;
    for (int n = length(random); n > 0; --n) text += kPool[pick(random)];
    inputs.push_back(DecomposeText(text));
  }
  return inputs;
}

// The same scripted answers for both runs.
std::vector<bool> Answers(std::size_t seed) {
  std::mt19937 random(static_cast<unsigned>(seed));
  std::vector<bool> answers;
  for (int i = 0; i < 64; ++i) answers.push_back(random() % 2 == 0);
  return answers;
}

// Every jamo stage, under both settings of its options, gives on each
// input what it gives trying every rule and pass: the same text, flag and
// questions; and the text's summary still tells of every pair of the
// result.
TEST(StageEquivalence, EveryJamoStageSameAsItsPlainRun) {
  LoadedWordLists lists(PIMORU_STAGED_DATA_DIR "/kdat");
  std::size_t seed = 0;
  for (const std::u16string& input : Inputs()) {
    SCOPED_TRACE(U8(ComposeText(input)));
    for (const Stage& stage : Stages()) {
      if (stage.run == nullptr || stage.form != TextForm::kJamo) continue;
      SCOPED_TRACE(StageNumber(stage.id));
      for (const bool strong : {false, true}) {
        ++seed;
        Options options;
        options.h_strong_flg = strong;
        ScriptedAsker fast_asker(Answers(seed));
        ScriptedAsker plain_asker(Answers(seed));
        EXPECT_TRUE(StageSameAsPlainRun(stage, input, options, lists,
                                        fast_asker, plain_asker));
        EXPECT_EQ(fast_asker.messages(), plain_asker.messages());
      }
    }
  }
}

}  // namespace
}  // namespace pimoru
