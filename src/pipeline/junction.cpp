// Stages 10 to 12: the consonants where two syllables meet. N-insertion asks
// whether a word is a compound; palatalisation and aspiration are fixed
// letter rules.
#include <array>
#include <cstddef>
#include <string_view>

#include "hangul/ask.h"
#include "hangul/jamo.h"
#include "hangul/rules.h"
#include "pipeline/stages.h"

namespace pimoru {
namespace {

// --- Stage 10: N-insertion -------------------------------------------------

// The vowels of 이, 야, 여, 요 and 유 in the order they are asked about:
// every question about 이 comes before any about 야, and so on.
constexpr char16_t kNInsertionVowels[] = {med::kI, med::kYa, med::kYeo,
                                          med::kYo, med::kYu};

// Any final before a silent ㅇ with one of those vowels: 솜이불 → 솜니불
// where the word is a compound.
constexpr auto kNInsertionRules = [] {
  std::array<Rule, std::size(kNInsertionVowels) * kFinalCount> rules{};
  std::size_t n = 0;
  for (const char16_t vowel : kNInsertionVowels) {
    for (int f = 1; f <= kFinalCount; ++f) {
      rules[n++] = {{FinalJamo(f), ini::kIeung, vowel},
                    {FinalJamo(f), ini::kNieun, vowel}};
    }
  }
  return rules;
}();

// Read as one breath, the same across a word boundary: 한 일 → 한 닐.
constexpr auto kNInsertionAcrossRules = AcrossWordBoundary(kNInsertionRules);
static_assert(AllAcross(kNInsertionAcrossRules));

// --- Stage 11: palatalisation ----------------------------------------------

// The final leaves the first syllable; the second takes ㅈ or ㅊ.
constexpr Rule kPalatalisationRules[] = {
    {{fin::kDigeut, ini::kIeung, med::kI},
     {ini::kJieut, med::kI}},  // 굳이 → 구지
    {{fin::kTieut, ini::kIeung, med::kI},
     {ini::kChieut, med::kI}},  // 같이 → 가치
    {{fin::kDigeut, ini::kHieut, med::kI},
     {ini::kChieut, med::kI}},  // 닫히다 → 다치다
};

// --- Stage 12: aspiration --------------------------------------------------

constexpr Rule kAspirationRules[] = {
    // A final ㅎ (alone or in ㄶ, ㅀ) before ㄱ, ㄷ, ㅈ aspirates it.
    {{fin::kHieut, ini::kGiyeok}, {ini::kKieuk}},  // 좋고 → 조코
    {{fin::kHieut, ini::kDigeut}, {ini::kTieut}},  // 놓다 → 노타
    {{fin::kHieut, ini::kJieut}, {ini::kChieut}},  // 좋지 → 조치
    {{fin::kNieunHieut, ini::kGiyeok},
     {fin::kNieun, ini::kKieuk}},  // 않고 → 안코
    {{fin::kNieunHieut, ini::kDigeut},
     {fin::kNieun, ini::kTieut}},  // 많다 → 만타
    {{fin::kNieunHieut, ini::kJieut},
     {fin::kNieun, ini::kChieut}},  // 않지 → 안치
    {{fin::kRieulHieut, ini::kGiyeok},
     {fin::kRieul, ini::kKieuk}},  // 옳고 → 올코
    {{fin::kRieulHieut, ini::kDigeut},
     {fin::kRieul, ini::kTieut}},  // 싫다 → 실타
    {{fin::kRieulHieut, ini::kJieut},
     {fin::kRieul, ini::kChieut}},  // 싫지 → 실치
    // A final before ㅎ goes whole; the ㅎ takes the final's place.
    {{fin::kGiyeok, ini::kHieut}, {ini::kKieuk}},  // 축하 → 추카
    {{fin::kKieuk, ini::kHieut}, {ini::kKieuk}},  // 부엌하고 → 부어카고
    {{fin::kSsangGiyeok, ini::kHieut}, {ini::kKieuk}},  // 묶히다 → 무키다
    {{fin::kRieulGiyeok, ini::kHieut}, {ini::kKieuk}},  // 밝히다 → 바키다
    {{fin::kGiyeokSiot, ini::kHieut}, {ini::kKieuk}},  // 넋하고 → 너카고
    {{fin::kDigeut, ini::kHieut}, {ini::kTieut}},      // 맏형 → 마텽
    {{fin::kSiot, ini::kHieut}, {ini::kTieut}},       // 못하다 → 모타다
    {{fin::kSsangSiot, ini::kHieut}, {ini::kTieut}},  // ㅆ + ㅎ → ㅌ
    {{fin::kJieut, ini::kHieut}, {ini::kTieut}},      // ㅈ + ㅎ → ㅌ
    {{fin::kChieut, ini::kHieut}, {ini::kTieut}},     // 꽃하고 → 꼬타고
    {{fin::kTieut, ini::kHieut}, {ini::kTieut}},      // 밭하고 → 바타고
    {{fin::kHieut, ini::kHieut}, {ini::kTieut}},      // ㅎ + ㅎ → ㅌ
    {{fin::kBieup, ini::kHieut}, {ini::kPieup}},      // 입학 → 이팍
    {{fin::kPieup, ini::kHieut}, {ini::kPieup}},      // 앞하고 → 아파고
    {{fin::kBieupSiot, ini::kHieut}, {ini::kPieup}},  // 값하다 → 가파다
    {{fin::kRieulBieup, ini::kHieut}, {ini::kPieup}},  // 넓히다 → 너피다
    {{fin::kRieulPieup, ini::kHieut}, {ini::kPieup}},  // ㄿ + ㅎ → ㅍ
};

// Read as one breath, the same across a word boundary: 옷 한 벌 → 오탄 벌.
constexpr auto kAspirationAcrossRules = AcrossWordBoundary(kAspirationRules);
static_assert(AllAcross(kAspirationAcrossRules));

}  // namespace

bool ApplyNInsertion(StageContext& c) {
  static const RuleTable kTable(kNInsertionRules);
  const bool changed =
      AskEachRule(c.jamo, kTable, QuestionKind::kNInsertion, c.asking);
  return AskAcrossWords<kNInsertionAcrossRules>(c, QuestionKind::kNInsertion) ||
         changed;
}

bool ApplyPalatalisation(StageContext& c) {
  static const RuleTable kTable(kPalatalisationRules);
  return ApplyRules(c.jamo, kTable);
}

bool ApplyAspiration(StageContext& c) {
  static const RuleTable kTable(kAspirationRules);
  const bool changed = ApplyRules(c.jamo, kTable);
  return ApplyAcrossWords<kAspirationAcrossRules>(c) || changed;
}

}  // namespace pimoru
