// The pipeline's memory of one conversion: 24 slots, one per stage.
//
// Slot 0 keeps the raw input, slots 1 to 22 the stages of the reading
// conversion, slot 23 voicing (written by the transcription). A slot holds
// the stage's output, composed into syllables, when the stage reported a
// change; slot 1 is always stored.
#ifndef PIMORU_PIPELINE_STAGE_RECORD_H_
#define PIMORU_PIPELINE_STAGE_RECORD_H_

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "hangul/question.h"

namespace pimoru {

inline constexpr int kSlotCount = 24;
inline constexpr int kVoicingSlot = 23;

struct StageRecord {
  // The stage's output as SyllableText, or empty when nothing was stored.
  std::array<std::u16string, kSlotCount> results;
  // The stage reported a change (or stage 3 credited it with one).
  std::array<bool, kSlotCount> changed{};
  // The questions asked, in order, with their answers and the stage that
  // asked each (kept only with the stages' texts).
  std::vector<RecordedQuestion> questions;

  void Clear();
};

// The display name of a slot ("連音化１"), empty outside 0..23.
std::u16string_view StageName(int slot);

// The help page of a slot ("renonka.html"), empty outside 0..23.
std::u16string_view HelpPage(int slot);

// The result of the highest slot k, 1 <= k < slot, that stored a text; empty
// when there is none. Slot 0 never counts.
std::u16string PreviousStageResult(const StageRecord& record, int slot);

}  // namespace pimoru

#endif  // PIMORU_PIPELINE_STAGE_RECORD_H_
