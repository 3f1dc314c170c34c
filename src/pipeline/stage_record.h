// The pipeline's memory of one conversion: one entry per stage.
//
// The input's entry keeps the raw input, the formatted input is always
// kept, and every later stage keeps its output, composed into syllables,
// when it reported a change; voicing is written by the transcription.
#ifndef PIMORU_PIPELINE_STAGE_RECORD_H_
#define PIMORU_PIPELINE_STAGE_RECORD_H_

#include <string>
#include <vector>

#include "hangul/question.h"
#include "pipeline/number_reading.h"
#include "pipeline/stage_id.h"

namespace pimoru {

struct StageRecord {
  // The stage's output as SyllableText, or empty when nothing was stored.
  PerStage<std::u16string> results;
  // The stage reported a change (or the special words credited it with
  // one).
  PerStage<bool> changed;
  // The questions each stage asked, in order, with their answers (kept only
  // with the stages' texts).
  PerStage<std::vector<RecordedQuestion>> questions;
  // The places the reading of numbers read or left as typed, in text order
  // (kept, like the questions, only with the stages' texts).
  std::vector<NumberNote> number_notes;

  void Clear();
};

// The result of the latest stage before `stage`, from the formatted input
// on, that stored a text; empty when there is none. The raw input never
// counts.
std::u16string PreviousStageResult(const StageRecord& record, StageId stage);

}  // namespace pimoru

#endif  // PIMORU_PIPELINE_STAGE_RECORD_H_
