#include "render/conversion.h"

namespace pimoru {

void Convert(const Options& options, WordListSource& lists, Asker& asker,
             RecordTexts texts, Conversion& c) {
  c.reading = RunPipeline(c.input, options, lists, asker, c.record, texts);
  Transcribe(c.reading, options.notation, c.record, texts, c.transcription);
}

}  // namespace pimoru
