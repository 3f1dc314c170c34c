// The substitution tables of stage 13 and stages 15 to 22, and the question
// passes that walk a table rule by rule.
//
// The stages apply their tables through fast paths that skip passes whose
// patterns cannot occur. The tables are visible here so that tests and
// benchmarks can run every pass plainly and compare.
#ifndef PIMORU_PIPELINE_LATE_STAGES_H_
#define PIMORU_PIPELINE_LATE_STAGES_H_

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "hangul/ask.h"
#include "hangul/jamo.h"
#include "hangul/rules.h"

namespace pimoru {

// Stage 13: the 313 linking-word rules, run over the text with a space
// added at each end.
std::span<const Rule> LinkingWordLiaisonRules();

// Stage 15: rules 1 to 5 run always, the rest only with the strong-ㅎ
// option (the medial loop, then the four sonorant finals).
std::span<const Rule> SilencingRules();
std::span<const Rule> StrongSilencingRules();

// Stage 16: group A (word questions), group B (junction questions) and
// group C (plain passes).
std::span<const Rule> SuffixNasalisationRules();
std::span<const Rule> SinoNasalisationRules();
std::span<const Rule> ObstruentNasalisationRules();

// Stage 17.
std::span<const Rule> LateralisationRules();

// Stages 19 and 20: step 1 (ㅎ + ㅅ), step 2 (future-adnominal questions),
// step 3 (Sino-Korean questions) and step 4 (the 75 obstruent passes).
std::span<const Rule> HieutSiotTensificationRules();
std::span<const Rule> FutureTensificationRules();
std::span<const Rule> SinoTensificationRules();
std::span<const Rule> ObstruentTensificationRules();

// Stage 21: the 20 finals, then ㅢ after every initial but ㅇ.
std::span<const Rule> StandardFinalRules();

// Stage 22: the 798 passes, by initial, then medial, then 다 before 까.
std::span<const Rule> RealEndingRules();

// One AskEachOccurrence per rule, in table order, each on the text as the
// rules before it left it. A rule whose pattern's indexed pair does not stand
// in the text asks nothing and is skipped without a search. Returns whether
// any answer was Yes. With `pairs` made from the text as it stands, a table
// none of whose keys the text holds asks nothing at once.
bool AskEachRule(std::u16string& text, const RuleIndex& rules,
                 std::u16string_view title, std::u16string_view question,
                 Asker& asker, const LetterPairs* pairs = nullptr);

// The same with AskAtJunction2 for two-unit junction patterns.
bool AskEachJunctionRule(std::u16string& text, const RuleIndex& rules,
                         std::u16string_view kind, std::u16string_view title,
                         Asker& asker, const LetterPairs* pairs = nullptr);

// Runs, in table order, only the rules of `rules` whose patterns stand in
// the text now; `mark(text, i, found)` appends to `found` the index of every
// rule whose pattern may begin at position i. This gives the result of
// running every rule only for a table whose replacements never form one of
// its patterns where none stood; each caller says why its table is such.
template <typename Mark>
bool ApplyOccurringRules(std::u16string& text, std::span<const Rule> rules,
                         Mark mark) {
  std::vector<std::size_t> found;
  const std::u16string_view view(text);
  for (std::size_t i = 0; i < view.size(); ++i) mark(view, i, found);
  if (found.empty()) return false;
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  bool changed = false;
  for (const std::size_t r : found) {
    changed =
        ReplaceAll(text, rules[r].Pattern(), rules[r].Replacement()) || changed;
  }
  return changed;
}

}  // namespace pimoru

#endif  // PIMORU_PIPELINE_LATE_STAGES_H_
