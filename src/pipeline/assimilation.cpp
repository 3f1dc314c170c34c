// Stages 15 to 17: silencing of ㅎ, nasalisation before nasals and of ㄹ,
// and lateralisation of ㄴ next to ㄹ.
#include <array>
#include <cstddef>
#include <string_view>

#include "hangul/ask.h"
#include "hangul/jamo.h"
#include "hangul/rules.h"
#include "pipeline/stages.h"

namespace pimoru {
namespace {

// Stage 15, rules 1 to 5: ㅎ dropped before a vowel, and 히 after a
// sonorant final, whatever the option.
constexpr Rule kSilencingRules[] = {
    {{fin::kHieut, ini::kIeung}, {ini::kIeung}},  // 좋아 → 조아
    {{fin::kNieun, ini::kHieut, med::kI},
     {ini::kNieun, med::kI}},  // 간단히 → 간다니
    {{fin::kMieum, ini::kHieut, med::kI},
     {ini::kMieum, med::kI}},  // 꼼꼼히 → 꼼꼬미
    {{fin::kRieul, ini::kHieut, med::kI},
     {ini::kRieul, med::kI}},  // 골똘히 → 골또리
    {{fin::kIeung, ini::kHieut, med::kI},
     {fin::kIeung, ini::kIeung, med::kI}},  // 조용히 → 조용이: ㅇ stays a final
};

// Stage 15 with the strong-ㅎ option: for every medial in code-point order
// 희 → 이 and then any ㅎ after it silent, followed by ㅎ after the sonorant
// finals.
constexpr std::array<Rule, 2 * kMedialCount + 4> MakeStrongSilencingRules() {
  std::array<Rule, 2 * kMedialCount + 4> rules{};
  std::size_t n = 0;
  for (int v = 1; v <= kMedialCount; ++v) {
    const char16_t vowel = MedialJamo(v);
    // 저희 → 저이
    rules[n++] = {{vowel, ini::kHieut, med::kUi},
                  {vowel, ini::kIeung, med::kI}};
    // 고향 → 고양
    rules[n++] = {{vowel, ini::kHieut}, {vowel, ini::kIeung}};
  }
  rules[n++] = {{fin::kNieun, ini::kHieut}, {ini::kNieun}};  // 전화 → 저놔
  rules[n++] = {{fin::kMieum, ini::kHieut}, {ini::kMieum}};  // 담화 → 다뫄
  rules[n++] = {{fin::kRieul, ini::kHieut}, {ini::kRieul}};  // 결혼 → 겨론
  rules[n++] = {{fin::kIeung, ini::kHieut},
                {fin::kIeung, ini::kIeung}};  // 영화 → 영와
  return rules;
}
constexpr auto kStrongSilencingRules = MakeStrongSilencingRules();

// Stage 16, group A: ㄹ after ㄴ in a Sino-Korean word with a suffix,
// asked word by word.
constexpr Rule kSuffixNasalisationRules[] = {
    {{fin::kNieun, ini::kRieul, med::kA, fin::kNieun},
     {fin::kNieun, ini::kNieun, med::kA, fin::kNieun}},  // 구인란 → 구인난
    {{fin::kNieun, ini::kRieul, med::kYeo, fin::kGiyeok},
     {fin::kNieun, ini::kNieun, med::kYeo, fin::kGiyeok}},  // 생산력 → 생산녁
    {{fin::kNieun, ini::kRieul, med::kYo},
     {fin::kNieun, ini::kNieun, med::kYo}},  // 보관료 → 보관뇨
};

// Stage 16, group B: ㄹ after a final other than ㄴ and ㄹ in a Sino-Korean
// word, asked junction by junction.
constexpr Rule kSinoNasalisationRules[] = {
    {{fin::kMieum, ini::kRieul}, {fin::kMieum, ini::kNieun}},  // 심리 → 심니
    {{fin::kRieulMieum, ini::kRieul}, {fin::kMieum, ini::kNieun}},
    {{fin::kIeung, ini::kRieul},
     {fin::kIeung, ini::kNieun}},  // 대통령 → 대통녕
    {{fin::kGiyeok, ini::kRieul}, {fin::kIeung, ini::kNieun}},  // 국립 → 궁닙
    {{fin::kKieuk, ini::kRieul}, {fin::kIeung, ini::kNieun}},
    {{fin::kSsangGiyeok, ini::kRieul}, {fin::kIeung, ini::kNieun}},
    {{fin::kRieulGiyeok, ini::kRieul}, {fin::kIeung, ini::kNieun}},
    {{fin::kGiyeokSiot, ini::kRieul}, {fin::kIeung, ini::kNieun}},
    {{fin::kBieup, ini::kRieul}, {fin::kMieum, ini::kNieun}},  // 협력 → 혐녁
    {{fin::kPieup, ini::kRieul}, {fin::kMieum, ini::kNieun}},
    {{fin::kBieupSiot, ini::kRieul}, {fin::kMieum, ini::kNieun}},
    {{fin::kRieulPieup, ini::kRieul}, {fin::kMieum, ini::kNieun}},
};

// Stage 16, group C: an obstruent final before ㅁ or ㄴ becomes the nasal of
// its place. The finals in the order they are tried, with their nasal.
struct FinalChange {
  char16_t from;
  char16_t to;
};
constexpr FinalChange kNasalOfFinal[] = {
    {fin::kGiyeok, fin::kIeung},      {fin::kKieuk, fin::kIeung},
    {fin::kSsangGiyeok, fin::kIeung}, {fin::kRieulGiyeok, fin::kIeung},
    {fin::kGiyeokSiot, fin::kIeung},  {fin::kDigeut, fin::kNieun},
    {fin::kSiot, fin::kNieun},        {fin::kSsangSiot, fin::kNieun},
    {fin::kJieut, fin::kNieun},       {fin::kChieut, fin::kNieun},
    {fin::kTieut, fin::kNieun},       {fin::kBieup, fin::kMieum},
    {fin::kPieup, fin::kMieum},       {fin::kBieupSiot, fin::kMieum},
    {fin::kRieulPieup, fin::kMieum},
};
constexpr std::size_t kNasalCount = std::size(kNasalOfFinal);

// 국물 → 궁물, 있는 → 인는, 없는 → 엄는, 읽는 → 잉는: all finals before ㅁ
// first, then all before ㄴ.
constexpr std::array<Rule, 2 * kNasalCount> MakeObstruentNasalisationRules() {
  std::array<Rule, 2 * kNasalCount> rules{};
  std::size_t n = 0;
  for (const char16_t nasal : {ini::kMieum, ini::kNieun}) {
    for (const FinalChange& change : kNasalOfFinal) {
      rules[n++] = {{change.from, nasal}, {change.to, nasal}};
    }
  }
  return rules;
}
constexpr auto kObstruentNasalisationRules = MakeObstruentNasalisationRules();

// Read as one breath, the same across a word boundary: 밥 먹는다 → 밤
// 멍는다.
constexpr auto kObstruentNasalisationAcrossRules =
    AcrossWordBoundary(kObstruentNasalisationRules);
static_assert(AllAcross(kObstruentNasalisationAcrossRules));

// Stage 17.
constexpr Rule kRieulBeforeNieun = {{fin::kRieul, ini::kNieun},
                                    {fin::kRieul, ini::kRieul}};  // 설날 → 설랄
constexpr Rule kLateralisationRules[] = {
    {{fin::kNieun, ini::kRieul}, {fin::kRieul, ini::kRieul}},  // 신라 → 실라
    kRieulBeforeNieun,
};
// Read as one breath, ㄹ before the ㄴ that N-insertion puts at the head of
// the next word: 할 일 → 할 닐 → 할 릴.
constexpr Rule kLateralisationAcrossRules[] = {
    AcrossWordBoundary(kRieulBeforeNieun),
};

}  // namespace

bool ApplySilencing(StageContext& c) {
  static const RuleTable kTable(kSilencingRules);
  bool changed = ApplyRules(c.jamo, kTable);
  if (!c.options.h_strong_flg) return changed;
  // 희 made 이 puts a new vowel before a ㅎ that follows it (저희하고 →
  // 저이하고, whose 이 + ㅎ a later rule silences): the rules that a
  // rewrite forms are looked up again.
  static const RuleTable kStrongTable(kStrongSilencingRules);
  return ApplyRules(c.jamo, kStrongTable) || changed;
}

bool ApplyNasalisation2(StageContext& c) {
  // A No in group A keeps ㄴ + ㄹ for stage 17 (생산력 → 생살력).
  static const RuleTable kSuffixTable(kSuffixNasalisationRules);
  static const RuleTable kSinoTable(kSinoNasalisationRules);
  static const RuleTable kObstruentTable(kObstruentNasalisationRules);
  bool changed = AskEachRule(c.jamo, kSuffixTable,
                             QuestionKind::kSinoKoreanSuffix, c.asking);
  changed = AskEachRule(c.jamo, kSinoTable,
                        QuestionKind::kSinoKoreanNasalisation, c.asking) ||
            changed;
  changed = ApplyRules(c.jamo, kObstruentTable) || changed;
  return ApplyAcrossWords<kObstruentNasalisationAcrossRules>(c) || changed;
}

bool ApplyLateralisation(StageContext& c) {
  static const RuleTable kTable(kLateralisationRules);
  const bool changed = ApplyRules(c.jamo, kTable);
  return ApplyAcrossWords<kLateralisationAcrossRules>(c) || changed;
}

}  // namespace pimoru
