// The neighbours that decide a jamo's symbol, shared by the symbol of one
// jamo and the transcription's lookup tables built from it.
#ifndef PIMORU_RENDER_JAMO_CONTEXT_H_
#define PIMORU_RENDER_JAMO_CONTEXT_H_

#include "hangul/jamo.h"

namespace pimoru {

// A voiced sound before a lenis initial: a vowel (an open syllable) or a
// sonorant final. Clusters such as ㄶ and ㄺ do not count.
constexpr bool VoicesNextInitial(char16_t previous) {
  return IsMedial(previous) || previous == fin::kNieun ||
         previous == fin::kRieul || previous == fin::kMieum ||
         previous == fin::kIeung;
}

// ㅅ and ㅆ become ʃ before exactly these; ㅖ, ㅒ and ㅟ do not count.
constexpr bool MakesPalatal(char16_t next) {
  return next == med::kI || next == med::kYa || next == med::kYeo ||
         next == med::kYo || next == med::kYu;
}

// No small ッ on a tensed consonant at a word start, after a final ㄱ ㄴ ㄷ
// ㅂ ㅇ, or after printable ASCII (A까 → Aカ): `lead` is the letter before
// the syllable.
constexpr bool SuppressesTsu(char16_t lead, bool word_start) {
  return word_start || lead == fin::kGiyeok || lead == fin::kNieun ||
         lead == fin::kDigeut || lead == fin::kBieup || lead == fin::kIeung ||
         (lead >= 0x21 && lead <= 0x7E);
}

}  // namespace pimoru

#endif  // PIMORU_RENDER_JAMO_CONTEXT_H_
