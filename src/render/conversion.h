// One input through the whole tool: the reading conversion, then the
// transcription.
#ifndef PIMORU_RENDER_CONVERSION_H_
#define PIMORU_RENDER_CONVERSION_H_

#include <optional>
#include <string>

#include "hangul/question.h"
#include "hangul/word_list.h"
#include "pipeline/options.h"
#include "pipeline/pipeline.h"
#include "pipeline/speech_style.h"
#include "pipeline/stage_record.h"
#include "render/transcription.h"

namespace pimoru {

struct Conversion {
  std::u16string input;    // as typed
  std::u16string reading;  // the reading Hangul
  Transcription transcription;
  StageRecord record;
  // The reading in the other style, where one is shown beside it.
  std::optional<OtherForm> other;
};

// Converts `c.input` into the other fields of `c`, whose buffers are reused.
// Throws ConversionError as RunPipeline does.
void Convert(const Options& options, WordListSource& lists, Asker& asker,
             RecordTexts texts, Conversion& c);

}  // namespace pimoru

#endif  // PIMORU_RENDER_CONVERSION_H_
