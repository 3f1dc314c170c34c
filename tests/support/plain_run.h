// The reading conversion with every rule and list entry tried
// (Search::kEveryPattern): the reference that the indexes and the text's
// summary are held to.
#ifndef PIMORU_TESTS_SUPPORT_PLAIN_RUN_H_
#define PIMORU_TESTS_SUPPORT_PLAIN_RUN_H_

#include <span>
#include <string>
#include <string_view>

#include "hangul/jamo.h"
#include "hangul/jamo_text.h"
#include "hangul/question.h"
#include "hangul/rules.h"
#include "hangul/word_list.h"
#include "pipeline/options.h"
#include "pipeline/pipeline.h"
#include "pipeline/stage_context.h"
#include "pipeline/stage_record.h"
#include "pipeline/stages.h"

namespace pimoru {

inline std::u16string RunPipelinePlainly(std::u16string_view input,
                                         const Options& options,
                                         WordListSource& lists, Asker& asker,
                                         StageRecord& record) {
  StageContext c(input, options, lists, asker, record, Search::kEveryPattern);
  RunStages(c);
  return Reading(c);
}

// Runs a jamo stage on `jamo` twice, through the shortcuts and plainly,
// each asking its own asker. True when the two texts and flags agree and the
// text's summary still tells of every pair of the result.
inline bool StageSameAsPlainRun(const Stage& stage, std::u16string_view jamo,
                                const Options& options, WordListSource& lists,
                                Asker& fast_asker, Asker& plain_asker) {
  const std::u16string typed = ComposeText(jamo);
  StageRecord fast_record;
  StageContext fast(typed, options, lists, fast_asker, fast_record);
  fast.jamo = JamoText(std::u16string(jamo));
  fast.decomposed = true;
  fast.jamo.Summary();  // made now, and from here on kept in step
  const bool fast_changed = stage.run(fast);

  StageRecord plain_record;
  StageContext plain(typed, options, lists, plain_asker, plain_record,
                     Search::kEveryPattern);
  plain.jamo = JamoText(std::u16string(jamo));
  plain.decomposed = true;
  const bool plain_changed = stage.run(plain);

  if (fast.jamo.str() != plain.jamo.str() || fast_changed != plain_changed) {
    return false;
  }
  const std::u16string_view result = fast.jamo.view();
  const LetterSummary& summary = fast.jamo.Summary();
  for (std::size_t i = 0; i + 1 < result.size(); ++i) {
    if (!summary.Has(LetterSummary::KeyBit(result.substr(i, 2)))) return false;
  }
  return true;
}

// Every rule's ReplaceAll in order over the whole text: the reference that
// ApplyRules is held to.
inline bool ApplyRulesPlainly(std::u16string& text,
                              std::span<const Rule> rules) {
  bool changed = false;
  for (const Rule& rule : rules) {
    changed = ReplaceAll(text, rule.Pattern(), rule.Replacement()) || changed;
  }
  return changed;
}

}  // namespace pimoru

#endif  // PIMORU_TESTS_SUPPORT_PLAIN_RUN_H_
