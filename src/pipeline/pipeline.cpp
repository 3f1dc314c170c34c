#include "pipeline/pipeline.h"

#include "hangul/jamo.h"
#include "hangul/rules.h"
#include "pipeline/stages.h"

namespace pimoru {

std::u16string RunPipeline(std::u16string_view input, const Options& options,
                           WordListSource& lists, Asker& asker,
                           StageRecord& record) {
  return RunPipeline(input, options, lists, asker, record, RecordTexts::kAll);
}

std::u16string RunPipeline(std::u16string_view input, const Options& options,
                           WordListSource& lists, Asker& asker,
                           StageRecord& record, RecordTexts texts) {
  const bool keep_texts = texts == RecordTexts::kAll;
  record.Clear();
  std::u16string text(input);
  record.results[0] = text;

  record.changed[1] = FormatInput(text);
  record.results[1] = text;

  // Stages 2 to 7 on syllables. Stage 3 may credit later slots, so each
  // stage's own result is assigned after it runs.
  auto syllable_stage = [&](int slot, auto&& stage) {
    record.changed[slot] = stage();
    if (record.changed[slot] && keep_texts) record.results[slot] = text;
  };
  syllable_stage(2, [&] { return AdjustSpacing(text, lists); });
  syllable_stage(3, [&] { return ApplySpecialWords(text, lists, record); });
  syllable_stage(4, [&] { return ApplyUiVariationWords(text, lists); });
  syllable_stage(5, [&] { return ApplyNasalisation1(text, lists); });
  syllable_stage(6, [&] { return ApplyTensification1(text, lists); });
  syllable_stage(7, [&] { return ApplyTensification2(text, lists); });

  // Stages 8 to 22 on jamo; slot 19 has no stage of its own. Most stages
  // find none of their keys in a sentence: the letter pairs of the text let
  // them see so at once. The stages of plain tables keep the pairs telling
  // of the text as they rewrite it; after any other stage that reported a
  // change (and so rewrote the text) they are made again.
  std::u16string jamo = DecomposeText(text);
  LetterPairs pairs(jamo);
  bool pairs_stale = false;
  auto current_pairs = [&] {
    if (pairs_stale) {
      pairs.Reset(jamo);
      pairs_stale = false;
    }
    return &pairs;
  };
  auto jamo_stage = [&](int slot, auto&& stage) {
    record.changed[slot] = stage();
    if (record.changed[slot] && keep_texts) {
      record.results[slot] = ComposeText(jamo);
    }
  };
  // A stage that keeps the pairs.
  auto table_stage = [&](int slot, auto&& stage) {
    jamo_stage(slot, [&] { return stage(current_pairs()); });
  };
  // A stage that only reads them, or none.
  auto other_stage = [&](int slot, auto&& stage) {
    jamo_stage(slot, stage);
    if (record.changed[slot]) pairs_stale = true;
  };
  other_stage(8, [&] { return ApplyYeVariation(jamo, current_pairs()); });
  table_stage(9, [&](LetterPairs* p) { return ApplyUiVariation(jamo, p); });
  if (options.n_insert_flg) {
    other_stage(10, [&] { return ApplyNInsertion(jamo, asker); });
  }
  table_stage(11, [&](LetterPairs* p) { return ApplyPalatalisation(jamo, p); });
  table_stage(12, [&](LetterPairs* p) { return ApplyAspiration(jamo, p); });
  table_stage(13, [&](LetterPairs* p) { return ApplyLiaison1(jamo, p); });
  table_stage(14, [&](LetterPairs* p) { return ApplyLiaison2(jamo, p); });
  table_stage(15, [&](LetterPairs* p) {
    return ApplySilencing(jamo, options.h_strong_flg, p);
  });
  other_stage(16,
              [&] { return ApplyNasalisation2(jamo, asker, current_pairs()); });
  table_stage(17, [&](LetterPairs* p) { return ApplyLateralisation(jamo, p); });
  other_stage(18, [&] { return ApplyTensification3(jamo, lists, asker); });
  other_stage(
      20, [&] { return ApplyTensification45(jamo, asker, current_pairs()); });
  table_stage(21, [&](LetterPairs* p) { return StandardiseFinals(jamo, p); });
  if (options.e_real_flg) {
    other_stage(22, [&] { return RealiseEndings(jamo); });
  }
  return ComposeText(jamo);  // trimmed already
}

}  // namespace pimoru
