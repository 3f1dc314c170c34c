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

}  // namespace pimoru

#endif  // PIMORU_PIPELINE_PIPELINE_H_
