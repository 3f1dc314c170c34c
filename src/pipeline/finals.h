// The representative finals: at the end of a syllable every final is spoken
// as one of ㄱ ㄴ ㄷ ㄹ ㅁ ㅂ ㅇ. Stage 21 writes each final as its
// representative; stage 20 reduces an obstruent final to it before a tensed
// initial, and a line read as one breath carries a final over to the next
// word as it.
#ifndef PIMORU_PIPELINE_FINALS_H_
#define PIMORU_PIPELINE_FINALS_H_

#include "hangul/jamo.h"

namespace pimoru {

struct RepresentativeFinal {
  char16_t final_jamo;
  char16_t representative;
};

// Every final that is not a representative itself, with the one it is spoken
// as, in the order stage 21 rewrites them.
inline constexpr RepresentativeFinal kRepresentativeFinals[] = {
    {fin::kKieuk, fin::kGiyeok},        // 부엌 → 부억
    {fin::kSsangGiyeok, fin::kGiyeok},  // 밖 → 박
    {fin::kRieulGiyeok, fin::kGiyeok},  // 닭 → 닥
    {fin::kGiyeokSiot, fin::kGiyeok},   // 몫 → 목
    {fin::kNieunJieut, fin::kNieun},    // 앉 → 안
    {fin::kNieunHieut, fin::kNieun},    // 많 → 만
    {fin::kSiot, fin::kDigeut},         // 옷 → 옫
    {fin::kSsangSiot, fin::kDigeut},    // 있 → 읻
    {fin::kJieut, fin::kDigeut},        // 낮 → 낟
    {fin::kChieut, fin::kDigeut},       // 꽃 → 꼳
    {fin::kTieut, fin::kDigeut},        // 밭 → 받
    {fin::kHieut, fin::kDigeut},        // 히읗 → 히읃
    {fin::kRieulSiot, fin::kRieul},     // 곬 → 골
    {fin::kRieulTieut, fin::kRieul},    // 핥 → 할
    {fin::kRieulHieut, fin::kRieul},    // 싫 → 실
    {fin::kRieulBieup, fin::kRieul},    // 여덟 → 여덜
    {fin::kRieulMieum, fin::kMieum},    // 삶 → 삼
    {fin::kPieup, fin::kBieup},         // 잎 → 입
    {fin::kBieupSiot, fin::kBieup},     // 값 → 갑
    {fin::kRieulPieup, fin::kBieup},    // 읊 → 읍
};

// The representative of a final; a representative is its own.
constexpr char16_t RepresentativeOf(char16_t final_jamo) {
  for (const RepresentativeFinal& row : kRepresentativeFinals) {
    if (row.final_jamo == final_jamo) return row.representative;
  }
  return final_jamo;
}

// The representatives that move over to the next syllable, each as the
// initial it becomes there.
struct FinalAsInitial {
  char16_t final_jamo;
  char16_t initial;
};
inline constexpr FinalAsInitial kRepresentativeInitials[] = {
    {fin::kGiyeok, ini::kGiyeok}, {fin::kNieun, ini::kNieun},
    {fin::kDigeut, ini::kDigeut}, {fin::kRieul, ini::kRieul},
    {fin::kMieum, ini::kMieum},   {fin::kBieup, ini::kBieup},
};

// The representative of a final as an initial: what the final becomes when
// it is carried over to the next syllable as its representative sound, and
// for an obstruent the plain initial of its place; none for ㅇ.
constexpr char16_t RepresentativeInitialOf(char16_t final_jamo) {
  const char16_t representative = RepresentativeOf(final_jamo);
  for (const FinalAsInitial& row : kRepresentativeInitials) {
    if (row.final_jamo == representative) return row.initial;
  }
  return u'\0';
}

// Every final has one of the seven as its representative, and each of them
// but ㅇ has an initial.
static_assert([] {
  for (int n = 1; n <= kFinalCount; ++n) {
    const char16_t representative = RepresentativeOf(FinalJamo(n));
    if (RepresentativeOf(representative) != representative) return false;
    if (representative != fin::kIeung &&
        RepresentativeInitialOf(representative) == u'\0') {
      return false;
    }
  }
  return true;
}());

}  // namespace pimoru

#endif  // PIMORU_PIPELINE_FINALS_H_
