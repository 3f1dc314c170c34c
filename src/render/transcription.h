// The transcription: reading Hangul to phonetic symbols and katakana, with
// the voicing decided on the way (stage 23).
#ifndef PIMORU_RENDER_TRANSCRIPTION_H_
#define PIMORU_RENDER_TRANSCRIPTION_H_

#include <string>
#include <string_view>

#include "pipeline/stage_record.h"

namespace pimoru {

struct Transcription {
  std::u16string symbols;        // one space between syllables, two between words
  std::u16string kana;           // three spaces between words
  std::u16string voicing_marks;  // "1"/"2" per syllable, "0" per other character
};

// Transcribes the reading Hangul in the tensed-consonant notation `noon_idx`
// and records slot 23 (voicing) in `record`.
Transcription Transcribe(std::u16string_view reading, int noon_idx,
                         StageRecord& record);

}  // namespace pimoru

#endif  // PIMORU_RENDER_TRANSCRIPTION_H_
