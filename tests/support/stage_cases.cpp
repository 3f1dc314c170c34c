#include "support/stage_cases.h"

#include "pipeline/stages.h"

namespace pimoru {

bool RunStage(StageFunction stage, std::u16string& text,
              const StageSetup& setup) {
  NoWordLists no_lists;
  FixedAsker no(false);
  StageRecord own_record;
  const std::u16string input = text;
  StageContext c(
      input, setup.options, setup.lists != nullptr ? *setup.lists : no_lists,
      setup.asker != nullptr ? *setup.asker : no,
      setup.record != nullptr ? *setup.record : own_record, setup.plain);
  for (const Stage& s : Stages()) {
    if (s.run != stage) continue;
    c.asking.record = &c.record.questions[s.id];
    if (s.form == TextForm::kSyllables) {
      const bool changed = stage(c);
      text = c.text;
      return changed;
    }
  }
  c.jamo = JamoText(text, setup.plain);
  c.decomposed = true;
  const bool changed = stage(c);
  text = c.jamo.str();
  return changed;
}

}  // namespace pimoru
