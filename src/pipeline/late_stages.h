// The substitution tables of stage 13 and stages 15 to 22, and the question
// passes that walk a table rule by rule.
//
// The stages apply their tables through fast paths that skip passes whose
// patterns cannot occur. The tables are visible here so that tests and
// benchmarks can run every pass plainly and compare.
#ifndef PIMORU_PIPELINE_LATE_STAGES_H_
#define PIMORU_PIPELINE_LATE_STAGES_H_

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
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

// The rules of a table marked to run, one bit each: in place for tables of
// up to 1,024 rules, so a sentence allocates nothing here.
class RuleMarks {
 public:
  explicit RuleMarks(std::size_t rule_count) : words_((rule_count + 63) / 64) {
    if (words_ > inline_.size()) {
      heap_.resize(words_);
      marks_ = heap_.data();
    }
    std::fill(marks_, marks_ + words_, 0);
  }
  RuleMarks(const RuleMarks&) = delete;
  RuleMarks& operator=(const RuleMarks&) = delete;

  void Add(std::size_t rule) {
    marks_[rule / 64] |= std::uint64_t{1} << (rule % 64);
  }
  // Calls `visit(rule)` for each marked rule, in table order.
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (std::size_t w = 0; w < words_; ++w) {
      for (std::uint64_t bits = marks_[w]; bits != 0; bits &= bits - 1) {
        visit(w * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
      }
    }
  }

 private:
  std::size_t words_;
  std::array<std::uint64_t, 16> inline_;
  std::vector<std::uint64_t> heap_;
  std::uint64_t* marks_ = inline_.data();
};

// Runs, in table order, only the rules of `rules` whose patterns stand in
// the text now; `Mark(text, i, found)` adds to `found` every rule whose
// pattern may begin at position i (a template argument, so that it is
// inlined into the pass over the text). This gives the result of running every
// rule only for a table whose replacements never form one of its patterns
// where none stood; each caller says why its table is such.
template <auto Mark>
bool ApplyOccurringRules(std::u16string& text, std::span<const Rule> rules) {
  RuleMarks found(rules.size());
  const std::u16string_view view(text);
  for (std::size_t i = 0; i < view.size(); ++i) Mark(view, i, found);
  bool changed = false;
  found.ForEach([&](std::size_t r) {
    changed =
        ReplaceAll(text, rules[r].Pattern(), rules[r].Replacement()) || changed;
  });
  return changed;
}

}  // namespace pimoru

#endif  // PIMORU_PIPELINE_LATE_STAGES_H_
