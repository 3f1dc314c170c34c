#include "render/conversion.h"

#include <utility>

namespace pimoru {

void Convert(const Options& options, WordListSource& lists, Asker& asker,
             RecordTexts texts, Conversion& c) {
  c.reading = RunPipeline(c.input, options, lists, asker, c.record, texts);
  c.transcription = Transcribe(c.reading, options.notation, c.record, texts,
                               std::move(c.transcription));
}

}  // namespace pimoru
