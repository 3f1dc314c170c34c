#include "support/stage_cases.h"

#include "pipeline/stages.h"

namespace pimoru {

bool RunStage(StageFunction stage, std::u16string& text,
              const StageSetup& setup) {
  NoWordLists no_lists;
  FixedAsker no(false);
  StageRecord own_record;
  const Stage* found = nullptr;
  for (const Stage& s : Stages()) {
    if (s.run == stage) found = &s;
  }
  // The input as a user types it: in syllables.
  const bool on_jamo = found == nullptr || found->form == TextForm::kJamo;
  const std::u16string input = on_jamo ? ComposeText(text) : text;
  StageContext c(input, setup.options,
                 setup.lists != nullptr ? *setup.lists : no_lists,
                 setup.asker != nullptr ? *setup.asker : no,
                 setup.record != nullptr ? *setup.record : own_record);
  if (found != nullptr) c.asking.record = &c.record.questions[found->id];
  if (!on_jamo) {
    const bool changed = stage(c);
    text = c.text;
    return changed;
  }
  c.jamo = JamoText(text);
  c.decomposed = true;
  const bool changed = stage(c);
  text = c.jamo.str();
  return changed;
}

}  // namespace pimoru
