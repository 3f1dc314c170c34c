// What every stage of the reading conversion works with.
#ifndef PIMORU_PIPELINE_STAGE_CONTEXT_H_
#define PIMORU_PIPELINE_STAGE_CONTEXT_H_

#include <string>
#include <string_view>

#include "hangul/ask.h"
#include "hangul/jamo.h"
#include "hangul/jamo_text.h"
#include "hangul/pattern_index.h"
#include "hangul/question.h"
#include "hangul/rules.h"
#include "hangul/word_list.h"
#include "pipeline/options.h"
#include "pipeline/stage_record.h"

namespace pimoru {

// The working text, the options, the word lists, the answerer of the
// questions and the record of one conversion. Stages 1 to 7 rewrite `text`
// (SyllableText), stages 8 to 22 `jamo`, made from it after stage 7.
struct StageContext {
  // `input` must outlive the context. A plain context makes every stage try
  // every rule, pass and list entry: the reference run that the shortcuts
  // are held to.
  StageContext(std::u16string_view input, const Options& options,
               WordListSource& lists, Asker& asker, StageRecord& record,
               bool plain = false)
      : text(input),
        options(options),
        lists(lists),
        record(record),
        typed(input),
        asking{asker, &typed},
        plain(plain) {}
  StageContext(const StageContext&) = delete;
  StageContext& operator=(const StageContext&) = delete;

  // The jamo text from the syllable text, once. Read as one breath, the
  // spaces between Hangul words become word boundaries.
  void Decompose();
  // The jamo text as the record and the reading show it: composed, with
  // every word boundary a space again.
  std::u16string Composed() const;
  // The entries of a word list that may stand in `in`, the working text.
  Candidates ListCandidates(const IndexedWordList& list,
                            std::u16string_view in) const {
    return Candidates(list.index(), in, plain);
  }

  std::u16string text;
  JamoText jamo;
  bool decomposed = false;
  const Options& options;
  WordListSource& lists;
  StageRecord& record;
  TypedInput typed;
  Asking asking;
  const bool plain;
};

// In a line read as one breath, a table of rules across the word
// boundaries (AcrossWordBoundary), indexed at its first use: a reading word
// by word never builds it.
template <const auto& kRules>
bool ApplyAcrossWords(StageContext& c) {
  if (!c.options.phrase_flg) return false;
  static const RuleTable kTable(kRules);
  return ApplyRules(c.jamo, kTable);
}

// The same for a table whose rules are asked.
template <const auto& kRules>
bool AskAcrossWords(StageContext& c, QuestionKind kind) {
  if (!c.options.phrase_flg) return false;
  static const RuleTable kTable(kRules);
  return AskEachRule(c.jamo, kTable, kind, c.asking);
}

}  // namespace pimoru

#endif  // PIMORU_PIPELINE_STAGE_CONTEXT_H_
