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
  // find none of their keys in a sentence: the letter pairs of the text,
  // made again only after a stage may have rewritten it, let them see so at
  // once. A stage leaves the text as it was when it reports no change,
  // except that stage 13 trims it, which only ever shortens it.
  std::u16string jamo = DecomposeText(text);
  LetterPairs pairs(jamo);
  std::size_t summarised_size = jamo.size();
  bool pairs_stale = false;
  auto current_pairs = [&]() -> const LetterPairs* {
    if (pairs_stale) {
      pairs.Reset(jamo);
      summarised_size = jamo.size();
      pairs_stale = false;
    }
    return &pairs;
  };
  auto jamo_stage = [&](int slot, auto&& stage) {
    record.changed[slot] = stage();
    if (record.changed[slot] || jamo.size() != summarised_size) {
      pairs_stale = true;
    }
    if (record.changed[slot] && keep_texts) {
      record.results[slot] = ComposeText(jamo);
    }
  };
  jamo_stage(8, [&] { return ApplyYeVariation(jamo, current_pairs()); });
  jamo_stage(9, [&] { return ApplyUiVariation(jamo, current_pairs()); });
  if (options.n_insert_flg) {
    jamo_stage(10, [&] { return ApplyNInsertion(jamo, asker); });
  }
  jamo_stage(11, [&] { return ApplyPalatalisation(jamo, current_pairs()); });
  jamo_stage(12, [&] { return ApplyAspiration(jamo, current_pairs()); });
  jamo_stage(13, [&] { return ApplyLiaison1(jamo, current_pairs()); });
  jamo_stage(14, [&] { return ApplyLiaison2(jamo, current_pairs()); });
  jamo_stage(15, [&] {
    return ApplySilencing(jamo, options.h_strong_flg, current_pairs());
  });
  jamo_stage(16,
             [&] { return ApplyNasalisation2(jamo, asker, current_pairs()); });
  jamo_stage(17, [&] { return ApplyLateralisation(jamo, current_pairs()); });
  jamo_stage(18, [&] { return ApplyTensification3(jamo, lists, asker); });
  jamo_stage(
      20, [&] { return ApplyTensification45(jamo, asker, current_pairs()); });
  jamo_stage(21, [&] { return StandardiseFinals(jamo, current_pairs()); });
  if (options.e_real_flg) {
    jamo_stage(22, [&] { return RealiseEndings(jamo); });
  }
  return ComposeText(jamo);  // trimmed already
}

}  // namespace pimoru
