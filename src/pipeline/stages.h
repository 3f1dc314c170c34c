// The stages of the reading conversion, in pipeline order.
//
// Every stage takes the conversion's context, rewrites its working text in
// place and returns its changed flag: true when one of its patterns occurred
// or one of its questions was answered Yes, not necessarily that the text
// now differs. The stages up to kTensification2 work on the SyllableText,
// the later ones on the JamoText. The table below is the one place that
// orders them.
#ifndef PIMORU_PIPELINE_STAGES_H_
#define PIMORU_PIPELINE_STAGES_H_

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "pipeline/options.h"
#include "pipeline/stage_context.h"
#include "pipeline/stage_id.h"

namespace pimoru {

// spacing.cpp: formatting, word spacing and special words.
bool FormatInput(StageContext& c);
bool AdjustSpacing(StageContext& c);
bool ApplySpecialWords(StageContext& c);
// Stores a text of the syllable stages in the record, the joins that
// AdjustSpacing made shown as "$".
void RecordText(std::u16string_view text, std::u16string& kept);

// spell_numbers.cpp: numbers, units and Latin capitals spelled out.
bool SpellOutNumbers(StageContext& c);

// vowel_variation.cpp: the variations of 의 and 예.
bool ApplyUiVariationWords(StageContext& c);
bool ApplyYeVariation(StageContext& c);
bool ApplyUiVariation(StageContext& c);

// word_rules.cpp: nasalisation and tensification in listed words.
bool ApplyNasalisation1(StageContext& c);
bool ApplyTensification1(StageContext& c);
bool ApplyTensification2(StageContext& c);

// junction.cpp: N-insertion, palatalisation and aspiration.
bool ApplyNInsertion(StageContext& c);
bool ApplyPalatalisation(StageContext& c);
bool ApplyAspiration(StageContext& c);

// liaison.cpp: a final carried over to the next syllable.
bool ApplyLiaison1(StageContext& c);
bool ApplyLiaison2(StageContext& c);

// assimilation.cpp: silencing, nasalisation 2 and lateralisation.
bool ApplySilencing(StageContext& c);
bool ApplyNasalisation2(StageContext& c);
bool ApplyLateralisation(StageContext& c);

// tensification.cpp: tensification after endings and obstruents.
bool ApplyTensification3(StageContext& c);
bool ApplyTensification45(StageContext& c);  // kTensification4 and 5

// finals.cpp: standard finals and colloquial endings.
bool StandardiseFinals(StageContext& c);
bool RealiseEndings(StageContext& c);

enum class TextForm { kSyllables, kJamo };

struct Stage {
  StageId id;
  // The number stored files and outputs know the stage by; it stays when
  // stages are added.
  int number;
  std::u16string_view name;       // as the report shows it: "連音化１"
  std::u16string_view help_page;  // in the html folder: "renonka.html"
  // Null for the stages without a function of their own: the input as
  // typed, kTensification4 (run by kTensification5) and voicing (run by
  // the transcription).
  bool (*run)(StageContext&);
  TextForm form;
  // The option without which the stage does not run; null: it always runs.
  bool Options::*switched_on_by = nullptr;
  // The stage's text is kept in the record even when it changed nothing.
  bool always_kept = false;
  // The kinds of question it asks; no other stage asks them.
  std::span<const QuestionKind> asks = {};

  bool RunsWith(const Options& options) const {
    return run != nullptr &&
           (switched_on_by == nullptr || options.*switched_on_by);
  }
};

// Every stage, in pipeline order, and those from `first` on.
std::span<const Stage, kStageCount> Stages();
std::span<const Stage> StagesFrom(StageId first);
const Stage& StageOf(StageId id);

// The number of a stage, and the stage a stored number names (nullopt for
// a number of none).
int StageNumber(StageId id);
std::optional<StageId> StageNumbered(int number);

// The name the report shows ("連音化１") and the help page in the html
// folder ("renonka.html").
std::u16string_view StageName(StageId id);
std::u16string_view HelpPage(StageId id);

// The stage that asks questions of a kind.
StageId StageAsking(QuestionKind kind);

}  // namespace pimoru

#endif  // PIMORU_PIPELINE_STAGES_H_
