// What every stage of the reading conversion works with.
#ifndef PIMORU_PIPELINE_STAGE_CONTEXT_H_
#define PIMORU_PIPELINE_STAGE_CONTEXT_H_

#include <string>
#include <string_view>

#include "hangul/ask.h"
#include "hangul/candidates.h"
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
// questions and the record of one conversion. The stages whose text form
// is TextForm::kSyllables rewrite `text`; before the first kJamo stage it is
// decomposed into `jamo`, which the rest rewrite. The stages find the rules
// and list entries that stand in a text through the context, which knows how
// its run searches for them.
class StageContext {
 public:
  // `input` must outlive the context. Search::kEveryPattern makes every
  // stage try every rule and list entry: the reference run that the
  // shortcuts are held to.
  StageContext(std::u16string_view input, const Options& options,
               WordListSource& lists, Asker& asker, StageRecord& record,
               Search search = Search::kIndexed)
      : text(input),
        options(options),
        lists(lists),
        record(record),
        typed(input),
        asking{asker, &typed},
        search_(search) {}
  StageContext(const StageContext&) = delete;
  StageContext& operator=(const StageContext&) = delete;

  // The jamo text from the syllable text, once. Read as one breath, the
  // spaces between Hangul words become word boundaries.
  void Decompose();
  // The jamo text as the record and the reading show it: composed, with
  // every word boundary a space again.
  std::u16string Composed() const;

  // Whether a rule of the table may stand in the jamo text (MayStand).
  bool MayStand(const RuleTable& table) {
    return pimoru::MayStand(jamo, table, search_);
  }
  // A table of rules applied to the jamo text, or to another text.
  bool ApplyRules(const RuleTable& table) {
    return pimoru::ApplyRules(jamo, table, search_);
  }
  bool ApplyRules(std::u16string& in, const RuleTable& table) const {
    return pimoru::ApplyRules(in, table, search_);
  }
  // A table of rules asked about at each place in the jamo text.
  bool AskEachRule(const RuleTable& table, QuestionKind kind) {
    return pimoru::AskEachRule(jamo, table, kind, asking, search_);
  }
  // The entries of a word list that may stand in `in`, the working text.
  Candidates ListCandidates(const IndexedWordList& list,
                            std::u16string_view in) const {
    return Candidates(list.index(), in, search_);
  }

  std::u16string text;
  JamoText jamo;
  bool decomposed = false;
  const Options& options;
  WordListSource& lists;
  StageRecord& record;
  TypedInput typed;
  Asking asking;

 private:
  const Search search_;
};

// In a line read as one breath, a table of rules across the word
// boundaries (AcrossWordBoundary), indexed at its first use: a reading word
// by word never builds it.
template <const auto& kRules>
bool ApplyAcrossWords(StageContext& c) {
  if (!c.options.phrase_flg) return false;
  static const RuleTable kTable(kRules);
  return c.ApplyRules(kTable);
}

// The same for a table whose rules are asked.
template <const auto& kRules>
bool AskAcrossWords(StageContext& c, QuestionKind kind) {
  if (!c.options.phrase_flg) return false;
  static const RuleTable kTable(kRules);
  return c.AskEachRule(kTable, kind);
}

}  // namespace pimoru

#endif  // PIMORU_PIPELINE_STAGE_CONTEXT_H_
