// Stages 13 and 15 to 22 skip passes and questions whose patterns cannot
// occur. These tests hold them to a plain run of every pass and question.
#include "pipeline/late_stages.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "hangul/jamo.h"
#include "pipeline/stages.h"
#include "support/every_stage.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

// Sentences rich in the junctions the late stages rewrite, and a few
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

// The same scripted answers for the stage and for the plain run.
std::vector<bool> Answers(std::size_t seed) {
  std::mt19937 random(static_cast<unsigned>(seed));
  std::vector<bool> answers;
  for (int i = 0; i < 64; ++i) answers.push_back(random() % 2 == 0);
  return answers;
}

// `stage(text, asker, pairs)` runs once without the text's letter pairs and
// once with them.
template <typename Stage, typename Plain>
void ExpectSameAsPlain(const std::u16string& input, Stage stage, Plain plain,
                       std::size_t seed) {
  for (const bool told_pairs : {false, true}) {
    SCOPED_TRACE(told_pairs ? "with pairs" : "without pairs");
    std::u16string fast_text = input;
    std::u16string plain_text = input;
    ScriptedAsker fast_asker(Answers(seed));
    ScriptedAsker plain_asker(Answers(seed));
    LetterPairs pairs(input);
    const bool fast_changed =
        stage(fast_text, fast_asker, told_pairs ? &pairs : nullptr);
    const bool plain_changed = plain(plain_text, plain_asker);
    EXPECT_EQ(fast_text, plain_text);
    EXPECT_EQ(fast_changed, plain_changed);
    EXPECT_EQ(fast_asker.messages(), plain_asker.messages());
    // A stage that may change the pairs keeps them telling of the text.
    if constexpr (!std::is_invocable_v<Stage, std::u16string&, Asker&,
                                       const LetterPairs*>) {
      for (std::size_t i = 0; told_pairs && i + 1 < fast_text.size(); ++i) {
        EXPECT_TRUE(pairs.Has(
            LetterPairs::KeyBit(std::u16string_view(fast_text).substr(i, 2))))
            << i;
      }
    }
  }
}

TEST(LateStagesFastPath, SameAsEveryPassAndQuestion) {
  std::size_t seed = 0;
  for (const std::u16string& input : Inputs()) {
    SCOPED_TRACE(U8(ComposeText(input)));
    ++seed;
    ExpectSameAsPlain(
        input,
        [](std::u16string& t, Asker&, LetterPairs* p) {
          return ApplyLiaison1(t, p);
        },
        [](std::u16string& t, Asker&) { return Liaison1Plainly(t); }, seed);
    for (const bool strong : {false, true}) {
      ExpectSameAsPlain(
          input,
          [&](std::u16string& t, Asker&, LetterPairs* p) {
            return ApplySilencing(t, strong, p);
          },
          [&](std::u16string& t, Asker&) {
            return SilencingPlainly(t, strong);
          },
          seed);
    }
    ExpectSameAsPlain(input, ApplyNasalisation2, Nasalisation2Plainly, seed);
    ExpectSameAsPlain(
        input,
        [](std::u16string& t, Asker&, LetterPairs* p) {
          return ApplyLateralisation(t, p);
        },
        [](std::u16string& t, Asker&) {
          return ApplyRulesPlainly(t, LateralisationRules());
        },
        seed);
    ExpectSameAsPlain(input, ApplyTensification45, Tensification45Plainly,
                      seed);
    ExpectSameAsPlain(
        input,
        [](std::u16string& t, Asker&, LetterPairs* p) {
          return StandardiseFinals(t, p);
        },
        [](std::u16string& t, Asker&) {
          return ApplyRulesPlainly(t, StandardFinalRules());
        },
        seed);
    ExpectSameAsPlain(
        input,
        [](std::u16string& t, Asker&, const LetterPairs*) {
          return RealiseEndings(t);
        },
        [](std::u16string& t, Asker&) {
          return ApplyRulesPlainly(t, RealEndingRules());
        },
        seed);
  }
}

TEST(AskEachRule, AsksAboutAJunctionThatAnEarlierYesFormed) {
  // 국어: Yes to the first rule forms the second rule's junction ㄱ + ㄴ.
  constexpr Rule kChain[] = {
      {{fin::kGiyeok, ini::kIeung}, {fin::kGiyeok, ini::kNieun}},
      {{fin::kGiyeok, ini::kNieun}, {fin::kIeung, ini::kNieun}},
      {{fin::kMieum, ini::kNieun}, {fin::kNieun, ini::kNieun}},
  };
  const RuleIndex index(kChain);
  for (const bool first : {true, false}) {
    SCOPED_TRACE(first ? "Yes" : "No");
    std::u16string text = DecomposeText(u"국어");
    ScriptedAsker asker({first, true});
    EXPECT_EQ(AskEachRule(text, index, u"t", u"q", asker), first);
    EXPECT_EQ(ComposeText(text), first ? u"궁너" : u"국어");
    EXPECT_EQ(asker.messages().size(), first ? 2u : 1u);

    std::u16string junction = DecomposeText(u"국어");
    ScriptedAsker junction_asker({first, true});
    EXPECT_EQ(AskEachJunctionRule(junction, index, u"k", u"t", junction_asker),
              first);
    EXPECT_EQ(ComposeText(junction), first ? u"궁너" : u"국어");
    EXPECT_EQ(junction_asker.messages().size(), first ? 2u : 1u);
  }
}

TEST(LateStagesTables, GeneratedPassesFollowTheRuleOrder) {
  // Stage 15: per medial, 희 before the plain ㅎ, then the sonorant finals.
  const auto strong = StrongSilencingRules();
  ASSERT_EQ(strong.size(), 46u);
  EXPECT_EQ(strong[0].Pattern(),
            (std::u16string{med::kA, ini::kHieut, med::kUi}));
  EXPECT_EQ(strong[1].Pattern(), (std::u16string{med::kA, ini::kHieut}));
  EXPECT_EQ(strong[41].Pattern(), (std::u16string{med::kI, ini::kHieut}));
  EXPECT_EQ(strong[42].Pattern(), (std::u16string{fin::kNieun, ini::kHieut}));

  // Stages 19 and 20: by initial, then by final group.
  const auto obstruent = ObstruentTensificationRules();
  ASSERT_EQ(obstruent.size(), 75u);
  EXPECT_EQ(obstruent[0].Replacement(), (std::u16string{ini::kSsangGiyeok}));
  EXPECT_EQ(obstruent[15].Pattern(),
            (std::u16string{fin::kGiyeok, ini::kDigeut}));
  EXPECT_EQ(obstruent[74].Pattern(),
            (std::u16string{fin::kRieulPieup, ini::kJieut}));
  EXPECT_EQ(obstruent[74].Replacement(),
            (std::u16string{fin::kBieup, ini::kSsangJieut}));

  // Stage 21: ㅢ after 18 initials, ㅇ left out.
  const auto finals = StandardFinalRules();
  ASSERT_EQ(finals.size(), 38u);
  for (const Rule& rule : finals) EXPECT_NE(rule.Pattern()[0], ini::kIeung);

  // Stage 22: initial, medial, then 다 before 까.
  const auto endings = RealEndingRules();
  ASSERT_EQ(endings.size(), 798u);
  EXPECT_EQ(ComposeText(endings[0].Pattern()), u"감니다");
  EXPECT_EQ(ComposeText(endings[1].Pattern()), u"감니까");
  EXPECT_EQ(ComposeText(endings[2].Pattern()), u"갬니다");
  EXPECT_EQ(ComposeText(endings[42].Pattern()), u"깜니다");
  EXPECT_EQ(ComposeText(endings[797].Replacement()), u"힌미까");
}

}  // namespace
}  // namespace pimoru
