// The reading conversion: the typed text through stages 1 to 22.
#ifndef PIMORU_PIPELINE_PIPELINE_H_
#define PIMORU_PIPELINE_PIPELINE_H_

#include <string>
#include <string_view>

#include "hangul/ask.h"
#include "hangul/word_list.h"
#include "pipeline/options.h"
#include "pipeline/stage_record.h"

namespace pimoru {

// Clears the record, runs every stage in order on `input` and returns the
// reading Hangul. Each stage that reports a change stores its output in its
// slot. A ConversionError from a stage ends the run; the record then keeps
// what was stored before it.
std::u16string RunPipeline(std::u16string_view input, const Options& options,
                           WordListSource& lists, Asker& asker,
                           StageRecord& record);

// How much of the stages' output a conversion keeps in the record.
enum class RecordTexts {
  kAll,        // every stored slot's text, as the report and the trace show
  kFlagsOnly,  // the changed flags and slots 0 and 1: for a caller that
               // shows neither, the composing of each slot's text is spared
};

// The same, keeping the record's texts as `texts` says; the reading and
// every flag are the same either way.
std::u16string RunPipeline(std::u16string_view input, const Options& options,
                           WordListSource& lists, Asker& asker,
                           StageRecord& record, RecordTexts texts);

}  // namespace pimoru

#endif  // PIMORU_PIPELINE_PIPELINE_H_
