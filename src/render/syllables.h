// The reading syllable by syllable, each with its phonetic symbols and its
// katakana, so that a learner sees which kana belongs to which sound.
#ifndef PIMORU_RENDER_SYLLABLES_H_
#define PIMORU_RENDER_SYLLABLES_H_

#include <string>
#include <string_view>
#include <vector>

#include "pipeline/options.h"

namespace pimoru {

struct SyllableSounds {
  std::u16string reading;  // one syllable: "가"
  std::u16string symbols;  // its symbols, initial, vowel and final: "ka"
  std::u16string kana;     // its kana, the final's among them: "カ"
  friend bool operator==(const SyllableSounds&,
                         const SyllableSounds&) = default;
};

// Every syllable of the trimmed reading, in order, with what the
// transcription in `notation` writes for it; characters that are no
// syllable are not listed, but are neighbours as in the transcription. A ッ
// that the transcription's kana keeps once where two meet (맛까 → マッカ)
// belongs to the first syllable. Letter by letter, plainly: for a report
// or one line of output, not for a batch.
std::vector<SyllableSounds> SoundsBySyllable(std::u16string_view reading,
                                             Notation notation);

}  // namespace pimoru

#endif  // PIMORU_RENDER_SYLLABLES_H_
