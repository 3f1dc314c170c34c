// The reading conversion run stage by stage, none of the stages told the
// text's letter pairs: the plain run that tests and the pipeline fuzzer hold
// RunPipeline to.
#ifndef PIMORU_TESTS_SUPPORT_EVERY_STAGE_H_
#define PIMORU_TESTS_SUPPORT_EVERY_STAGE_H_

#include <string>

#include "hangul/ask.h"
#include "hangul/jamo.h"
#include "hangul/word_list.h"
#include "pipeline/options.h"
#include "pipeline/stage_record.h"
#include "pipeline/stages.h"

namespace pimoru {

inline std::u16string RunEveryStage(std::u16string text, const Options& options,
                                    WordListSource& lists, Asker& asker,
                                    StageRecord& record) {
  record.Clear();
  FormatInput(text);
  record.changed[2] = AdjustSpacing(text, lists);
  record.changed[3] = ApplySpecialWords(text, lists, record);
  record.changed[4] = ApplyUiVariationWords(text, lists);
  record.changed[5] = ApplyNasalisation1(text, lists);
  record.changed[6] = ApplyTensification1(text, lists);
  record.changed[7] = ApplyTensification2(text, lists);
  std::u16string jamo = DecomposeText(text);
  record.changed[8] = ApplyYeVariation(jamo);
  record.changed[9] = ApplyUiVariation(jamo);
  if (options.n_insert_flg) record.changed[10] = ApplyNInsertion(jamo, asker);
  record.changed[11] = ApplyPalatalisation(jamo);
  record.changed[12] = ApplyAspiration(jamo);
  record.changed[13] = ApplyLiaison1(jamo);
  record.changed[14] = ApplyLiaison2(jamo);
  record.changed[15] = ApplySilencing(jamo, options.h_strong_flg);
  record.changed[16] = ApplyNasalisation2(jamo, asker);
  record.changed[17] = ApplyLateralisation(jamo);
  record.changed[18] = ApplyTensification3(jamo, lists, asker);
  record.changed[20] = ApplyTensification45(jamo, asker);
  record.changed[21] = StandardiseFinals(jamo);
  if (options.e_real_flg) record.changed[22] = RealiseEndings(jamo);
  return ComposeText(jamo);
}

}  // namespace pimoru

#endif  // PIMORU_TESTS_SUPPORT_EVERY_STAGE_H_
