#include "pipeline/pipeline.h"

#include "hangul/jamo.h"
#include "pipeline/stages.h"

namespace pimoru {

void RunStages(StageContext& c, RecordTexts texts) {
  c.record.Clear();
  c.record.results[StageId::kInput] = c.text;
  for (const Stage& stage : Stages()) {
    if (!stage.RunsWith(c.options)) continue;
    if (stage.form == TextForm::kJamo) c.Decompose();
    c.asking.record =
        texts == RecordTexts::kAll ? &c.record.questions[stage.id] : nullptr;
    // The special words may credit later stages, so each stage's own flag
    // is assigned after it runs.
    const bool changed = stage.run(c);
    c.record.changed[stage.id] = changed;
    if (stage.always_kept || (changed && texts == RecordTexts::kAll)) {
      if (stage.form == TextForm::kJamo) {
        c.record.results[stage.id] = c.Composed();
      } else {
        RecordText(c.text, c.record.results[stage.id]);
      }
    }
  }
}

std::u16string Reading(StageContext& c) {
  c.Decompose();
  return c.Composed();  // trimmed already
}

std::u16string RunPipeline(std::u16string_view input, const Options& options,
                           WordListSource& lists, Asker& asker,
                           StageRecord& record, RecordTexts texts) {
  StageContext c(input, options, lists, asker, record);
  RunStages(c, texts);
  return Reading(c);
}

}  // namespace pimoru
