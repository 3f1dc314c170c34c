// Ordered substitution tables, the form almost every rule stage takes.
#ifndef PIMORU_HANGUL_RULES_H_
#define PIMORU_HANGUL_RULES_H_

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

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

// Applies the rules in order, each with ReplaceAll over the whole text as the
// rules before it left it. Returns whether any pattern occurred. A rule whose
// pattern holds a character the text cannot contain is skipped without a
// search; the result is the same as running it.
bool ApplyRules(std::u16string& text, std::span<const Rule> rules);

class PatternIndex;  // hangul/word_index.h

// The same for a large table, visiting only the rules that `index`, made by
// IndexRules from this table, says may occur in the text.
bool ApplyRules(std::u16string& text, std::span<const Rule> rules,
                const PatternIndex& index);
PatternIndex IndexRules(std::span<const Rule> rules);

// The same, running every rule's search: the reference the fast path is
// checked against.
bool ApplyRulesPlainly(std::u16string& text, std::span<const Rule> rules);

// Which code units a text may contain: exact for the jamo block and ASCII,
// "maybe" for everything else. Only grows, so it stays an over-estimate while
// rules rewrite the text.
class CharPresence {
 public:
  explicit CharPresence(std::u16string_view text) { Add(text); }
  void Add(std::u16string_view text);
  bool MayContainAll(std::u16string_view text) const;

 private:
  static constexpr std::size_t kWords = 6;  // 128 ASCII + 256 jamo bits
  static int Bit(char16_t c);
  unsigned long long bits_[kWords] = {};
};

}  // namespace pimoru

#endif  // PIMORU_HANGUL_RULES_H_
