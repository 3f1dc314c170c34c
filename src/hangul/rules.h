// Ordered substitution tables, the form almost every rule stage takes.
#ifndef PIMORU_HANGUL_RULES_H_
#define PIMORU_HANGUL_RULES_H_

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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
// every rule. The working text's summary passes over a table none of whose
// keys it holds at once, and stays in step.
bool ApplyRules(JamoText& text, const RuleTable& table);
bool ApplyRules(std::u16string& text, const RuleTable& table);

// The same, running every rule's search: the reference the index is held
// to.
bool ApplyRulesPlainly(std::u16string& text, std::span<const Rule> rules);

}  // namespace pimoru

#endif  // PIMORU_HANGUL_RULES_H_
