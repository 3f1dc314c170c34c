// The reading conversion: the typed text through stages 1 to 22.
#ifndef PIMORU_PIPELINE_PIPELINE_H_
#define PIMORU_PIPELINE_PIPELINE_H_

#include <string>
#include <string_view>

#include "hangul/question.h"
#include "hangul/word_list.h"
#include "pipeline/options.h"
#include "pipeline/stage_context.h"
#include "pipeline/stage_record.h"

namespace pimoru {

// How much of the stages' output a conversion keeps in the record.
enum class RecordTexts {
  kAll,        // every stored stage's text and the questions asked, as
               // the report and the trace show them
  kFlagsOnly,  // the changed flags, the input and the formatted input: for
               // a caller that shows neither, the composing of each stage's
               // text and the keeping of each question are spared
};

// Clears the record, runs every stage in order on `input` and returns the
// reading Hangul. Each stage that reports a change stores its output in the
// record (its text as `texts` says; the reading and every flag are the same
// either way). A ConversionError from a stage ends the run; the record then
// keeps what was stored before it.
std::u16string RunPipeline(std::u16string_view input, const Options& options,
                           WordListSource& lists, Asker& asker,
                           StageRecord& record,
                           RecordTexts texts = RecordTexts::kAll);

// The same on a context made by the caller (a plain one, say), leaving the
// reading in its jamo text.
void RunStages(StageContext& c, RecordTexts texts = RecordTexts::kAll);

// The reading Hangul of a context whose stages have run.
std::u16string Reading(StageContext& c);

}  // namespace pimoru

#endif  // PIMORU_PIPELINE_PIPELINE_H_
