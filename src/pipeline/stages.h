// The stages of the reading conversion, in pipeline order.
//
// Every stage takes the conversion's context, rewrites its working text in
// place and returns its changed flag: true when one of its patterns occurred
// or one of its questions was answered Yes, not necessarily that the text
// now differs. Stages 1 to 7 work on the SyllableText, stages 8 to 22 on the
// JamoString. The table below is the one place that orders them.
#ifndef PIMORU_PIPELINE_STAGES_H_
#define PIMORU_PIPELINE_STAGES_H_

#include <span>
#include <string>
#include <string_view>

#include "pipeline/options.h"
#include "pipeline/stage_context.h"
#include "pipeline/stage_record.h"

namespace pimoru {

// spacing.cpp: formatting, word spacing and special words.
bool FormatInput(StageContext& c);        // 1
bool AdjustSpacing(StageContext& c);      // 2
bool ApplySpecialWords(StageContext& c);  // 3
// Stores a text of stages 1 to 7 in a slot of the record, the joins of
// stage 2 shown as "$".
void RecordText(std::u16string_view text, std::u16string& slot);

// vowel_variation.cpp: the variations of 의 and 예.
bool ApplyUiVariationWords(StageContext& c);  // 4
bool ApplyYeVariation(StageContext& c);       // 8
bool ApplyUiVariation(StageContext& c);       // 9

// word_rules.cpp: nasalisation and tensification in listed words.
bool ApplyNasalisation1(StageContext& c);   // 5
bool ApplyTensification1(StageContext& c);  // 6
bool ApplyTensification2(StageContext& c);  // 7

// junction.cpp: N-insertion, palatalisation and aspiration.
bool ApplyNInsertion(StageContext& c);      // 10
bool ApplyPalatalisation(StageContext& c);  // 11
bool ApplyAspiration(StageContext& c);      // 12

// liaison.cpp: a final carried over to the next syllable.
bool ApplyLiaison1(StageContext& c);  // 13
bool ApplyLiaison2(StageContext& c);  // 14

// assimilation.cpp: silencing, nasalisation 2 and lateralisation.
bool ApplySilencing(StageContext& c);       // 15
bool ApplyNasalisation2(StageContext& c);   // 16
bool ApplyLateralisation(StageContext& c);  // 17

// tensification.cpp: tensification after endings and obstruents.
bool ApplyTensification3(StageContext& c);   // 18
bool ApplyTensification45(StageContext& c);  // 19 and 20

// finals.cpp: standard finals and colloquial endings.
bool StandardiseFinals(StageContext& c);  // 21
bool RealiseEndings(StageContext& c);     // 22

enum class TextForm { kSyllables, kJamo };

struct Stage {
  int slot;
  std::u16string_view name;       // as the report shows it: "連音化１"
  std::u16string_view help_page;  // in the html folder: "renonka.html"
  // Null for the slots without a stage of their own: 0 (the input as
  // typed), 19 (run by stage 20) and 23 (voicing, run by the
  // transcription).
  bool (*run)(StageContext&);
  TextForm form;
  // The option without which the stage does not run; null: it always runs.
  bool Options::*switched_on_by = nullptr;
  // The stage's text is kept in the record even when it changed nothing.
  bool always_kept = false;

  bool RunsWith(const Options& options) const {
    return run != nullptr &&
           (switched_on_by == nullptr || options.*switched_on_by);
  }
};

// Every slot of the record, in order: slot k is Stages()[k].
std::span<const Stage, kSlotCount> Stages();

}  // namespace pimoru

#endif  // PIMORU_PIPELINE_STAGES_H_
