// Stages 21 and 22: every final reduced to one of the seven representative
// finals, and the formal endings -ㅁ니다 and -ㅁ니까 as they are spoken.
#include "pipeline/finals.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "hangul/jamo.h"
#include "hangul/rules.h"
#include "pipeline/stages.h"

namespace pimoru {
namespace {

// Stage 21: each final that is not one of ㄱ ㄴ ㄷ ㄹ ㅁ ㅂ ㅇ, wherever it
// stands, becomes its representative (kRepresentativeFinals).
constexpr std::size_t kRepresentativeCount = std::size(kRepresentativeFinals);

// Then ㅢ is read ㅣ after every initial in code-point order but ㅇ
// (희망 → 히망, 무늬 → 무니); 의 is left as the 의 stages made it.
constexpr std::size_t kStandardFinalCount =
    kRepresentativeCount + kInitialCount - 1;
constexpr std::array<Rule, kStandardFinalCount> MakeStandardFinalRules() {
  std::array<Rule, kStandardFinalCount> rules{};
  std::size_t n = 0;
  for (const RepresentativeFinal& row : kRepresentativeFinals) {
    rules[n++] = {{row.final_jamo}, {row.representative}};
  }
  for (int c = 1; c <= kInitialCount; ++c) {
    const char16_t initial = InitialJamo(c);
    if (initial == ini::kIeung) continue;
    rules[n++] = {{initial, med::kUi}, {initial, med::kI}};
  }
  return rules;
}
constexpr auto kStandardFinalRules = MakeStandardFinalRules();

// Stage 22: for every open syllable C + V before ㅁ니다 or ㅁ니까, the final
// ㅁ is spoken ㄴ and the ㄴ of 니 is spoken ㅁ (감니다 → 간미다, 함니까 →
// 한미까). By initial, then medial, then 다 before 까.
constexpr char16_t kEndingStarts[] = {ini::kDigeut, ini::kSsangGiyeok};
constexpr std::size_t kEndingsPerSyllable = std::size(kEndingStarts);
constexpr std::size_t kRealEndingCount =
    kInitialCount * kMedialCount * kEndingsPerSyllable;

constexpr std::array<Rule, kRealEndingCount> MakeRealEndingRules() {
  std::array<Rule, kRealEndingCount> rules{};
  std::size_t n = 0;
  for (int c = 1; c <= kInitialCount; ++c) {
    for (int v = 1; v <= kMedialCount; ++v) {
      const char16_t initial = InitialJamo(c);
      const char16_t vowel = MedialJamo(v);
      for (const char16_t start : kEndingStarts) {
        rules[n++] = {
            {initial, vowel, fin::kMieum, ini::kNieun, med::kI, start, med::kA},
            {initial, vowel, fin::kNieun, ini::kMieum, med::kI, start,
             med::kA}};
      }
    }
  }
  return rules;
}
constexpr auto kRealEndingRules = MakeRealEndingRules();

}  // namespace

bool StandardiseFinals(StageContext& c) {
  static const RuleTable kTable(kStandardFinalRules);
  return c.ApplyRules(kTable);
}

bool RealiseEndings(StageContext& c) {
  // Every pattern holds ㅁ니, so the index passes over a text without it
  // at once.
  static const RuleTable kTable(kRealEndingRules);
  return c.ApplyRules(kTable);
}

}  // namespace pimoru
