// Plain runs that tests and the pipeline fuzzer hold the fast paths to: the
// reading conversion stage by stage, none of the stages told the text's
// letter pairs, and the late stages with every pass and question run.
#ifndef PIMORU_TESTS_SUPPORT_EVERY_STAGE_H_
#define PIMORU_TESTS_SUPPORT_EVERY_STAGE_H_

#include <span>
#include <string>
#include <string_view>

#include "hangul/ask.h"
#include "hangul/jamo.h"
#include "hangul/rules.h"
#include "hangul/word_list.h"
#include "pipeline/late_stages.h"
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

// One AskEachOccurrence per rule of the table, in order.
inline bool AskEachPlainly(std::u16string& text, std::span<const Rule> rules,
                           std::u16string_view title,
                           std::u16string_view question, Asker& asker) {
  bool any = false;
  for (const Rule& rule : rules) {
    any = AskEachOccurrence(text, rule.Pattern(), rule.Replacement(), title,
                            question, asker) ||
          any;
  }
  return any;
}

// One AskAtJunction2 per rule of the table, in order.
inline bool AskJunctionsPlainly(std::u16string& text,
                                std::span<const Rule> rules,
                                std::u16string_view kind,
                                std::u16string_view title, Asker& asker) {
  bool any = false;
  for (const Rule& rule : rules) {
    any = AskAtJunction2(text, rule.Pattern(), rule.Replacement(), kind, title,
                         asker) ||
          any;
  }
  return any;
}

// Stages 13, 15, 16 and 20 with every pass and question run.
inline bool Liaison1Plainly(std::u16string& text) {
  std::u16string padded = u" " + text + u" ";
  const bool changed = ApplyRulesPlainly(padded, LinkingWordLiaisonRules());
  text = Trim(padded);
  return changed;
}

inline bool SilencingPlainly(std::u16string& text, bool strong) {
  bool changed = ApplyRulesPlainly(text, SilencingRules());
  if (strong)
    changed = ApplyRulesPlainly(text, StrongSilencingRules()) || changed;
  return changed;
}

inline bool Nasalisation2Plainly(std::u16string& text, Asker& asker) {
  bool changed =
      AskEachPlainly(text, SuffixNasalisationRules(), u"【鼻音化】",
                     u"は接尾辞付きの漢字語ですか？その場合は流音化せずに、"
                     u"鼻音化します。",
                     asker);
  changed = AskJunctionsPlainly(text, SinoNasalisationRules(), u"漢字語",
                                u"【鼻音化】", asker) ||
            changed;
  return ApplyRulesPlainly(text, ObstruentNasalisationRules()) || changed;
}

inline bool Tensification45Plainly(std::u16string& text, Asker& asker) {
  bool changed = ApplyRulesPlainly(text, HieutSiotTensificationRules());
  changed = AskEachPlainly(text, FutureTensificationRules(), u"【濃音化】",
                           u"は動詞や形容詞の未来連体形ですか？", asker) ||
            changed;
  changed = AskJunctionsPlainly(text, SinoTensificationRules(), u"漢字語",
                                u"【濃音化】", asker) ||
            changed;
  return ApplyRulesPlainly(text, ObstruentTensificationRules()) || changed;
}

}  // namespace pimoru

#endif  // PIMORU_TESTS_SUPPORT_EVERY_STAGE_H_
