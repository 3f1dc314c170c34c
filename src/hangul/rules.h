// Ordered substitution tables, the form almost every rule stage takes.
#ifndef PIMORU_HANGUL_RULES_H_
#define PIMORU_HANGUL_RULES_H_

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "hangul/candidates.h"
#include "hangul/jamo.h"
#include "hangul/jamo_text.h"
#include "hangul/pattern_index.h"

namespace pimoru {

inline constexpr std::size_t kMaxRuleLength = 9;

// One substitution: every occurrence of `pattern` becomes `replacement`.
// Both are zero-padded, so a table reads as rows of jamo:
//   {{fin::kGiyeok, ini::kIeung}, {ini::kGiyeok}},  // 먹어 → 머거
struct Rule {
  char16_t pattern[kMaxRuleLength + 1] = {};
  char16_t replacement[kMaxRuleLength + 1] = {};

  constexpr std::u16string_view Pattern() const { return pattern; }
  constexpr std::u16string_view Replacement() const { return replacement; }
};

// A rule of a final and the initial after it, across a word boundary of a
// line read as one breath: the boundary stands between the two in the
// pattern; in the replacement it stays where the final stays (밥 먹 → 밤
// 먹) and goes where the final moved over (옷 한 → 오탄: one word now). Any
// other rule gives an empty pattern, which never occurs.
constexpr Rule AcrossWordBoundary(const Rule& rule) {
  Rule across;
  const std::u16string_view pattern = rule.Pattern();
  const std::u16string_view replacement = rule.Replacement();
  if (pattern.size() < 2 || pattern.size() >= kMaxRuleLength ||
      !IsFinal(pattern[0]) || !IsInitial(pattern[1]) ||
      replacement.size() >= kMaxRuleLength) {
    return across;
  }
  std::size_t n = 0;
  across.pattern[n++] = pattern[0];
  across.pattern[n++] = kWordBoundary;
  for (const char16_t unit : pattern.substr(1)) across.pattern[n++] = unit;
  n = 0;
  const bool final_stays = !replacement.empty() && IsFinal(replacement[0]);
  for (std::size_t k = 0; k < replacement.size(); ++k) {
    across.replacement[n++] = replacement[k];
    if (k == 0 && final_stays) across.replacement[n++] = kWordBoundary;
  }
  return across;
}

template <std::size_t N>
constexpr std::array<Rule, N> AcrossWordBoundary(
    const std::array<Rule, N>& rules) {
  std::array<Rule, N> across{};
  for (std::size_t k = 0; k < N; ++k) across[k] = AcrossWordBoundary(rules[k]);
  return across;
}

template <std::size_t N>
constexpr std::array<Rule, N> AcrossWordBoundary(const Rule (&rules)[N]) {
  return AcrossWordBoundary(std::to_array(rules));
}

// Whether every rule of a table gave its rule across a word boundary.
template <std::size_t N>
constexpr bool AllAcross(const std::array<Rule, N>& rules) {
  for (const Rule& rule : rules) {
    if (rule.Pattern().empty()) return false;
  }
  return true;
}

// A table of rules with the index of their patterns, built once; the rules
// must outlive it.
class RuleTable {
 public:
  explicit RuleTable(std::span<const Rule> rules);
  RuleTable(const RuleTable&) = delete;
  RuleTable& operator=(const RuleTable&) = delete;

  std::span<const Rule> rules() const { return rules_; }
  const PatternIndex& index() const { return index_; }

 private:
  static std::vector<std::u16string_view> PatternsOf(
      std::span<const Rule> rules);

  std::span<const Rule> rules_;
  std::vector<std::u16string_view> patterns_;
  PatternIndex index_;
};

// Applies the rules in order, each with ReplaceAll over the whole text as
// the rules before it left it, and returns whether any pattern occurred.
// Only the rules that stand in the text are searched for, and after a rule
// that matched, those it may have formed; the result is that of running
// every rule, which Search::kEveryPattern does. The working text's summary
// passes over a table none of whose keys it holds at once, and stays in
// step.
bool ApplyRules(JamoText& text, const RuleTable& table,
                Search search = Search::kIndexed);
bool ApplyRules(std::u16string& text, const RuleTable& table,
                Search search = Search::kIndexed);

// Whether a rule of the table may stand in the text: false only where the
// text's summary shows that none can, and never in the reference run.
bool MayStand(JamoText& text, const RuleTable& table,
              Search search = Search::kIndexed);

}  // namespace pimoru

#endif  // PIMORU_HANGUL_RULES_H_
