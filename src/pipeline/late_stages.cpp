#include "pipeline/late_stages.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace pimoru {
namespace {

// Which final + initial junctions stand in a text. Every question pattern
// begins with one, so most rules are ruled out by a single lookup.
class Junctions {
 public:
  explicit Junctions(std::u16string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
      if (IsFinal(text[i]) && IsInitial(text[i + 1])) {
        const std::size_t bit = Bit(text[i], text[i + 1]);
        words_[bit / 64] |= std::uint64_t{1} << (bit % 64);
      }
    }
  }
  // False only when the pattern begins with a junction that does not stand
  // in the text.
  bool MayHold(std::u16string_view pattern) const {
    if (pattern.size() < 2 || !IsFinal(pattern[0]) || !IsInitial(pattern[1])) {
      return true;
    }
    const std::size_t bit = Bit(pattern[0], pattern[1]);
    return (words_[bit / 64] >> (bit % 64) & 1u) != 0;
  }

 private:
  static std::size_t Bit(char16_t final_jamo, char16_t initial) {
    return static_cast<std::size_t>(final_jamo - kFinalBase) * kInitialCount +
           static_cast<std::size_t>(initial - kInitialBase);
  }

  std::array<std::uint64_t, (kFinalCount * kInitialCount + 63) / 64> words_{};
};

// Runs `ask` for each rule whose pattern may occur. A Yes rewrites the
// text, so its junctions are looked up afresh.
template <typename AskOne>
bool AskOverRules(std::u16string& text, std::span<const Rule> rules,
                  AskOne ask) {
  Junctions junctions(text);
  bool any_yes = false;
  for (const Rule& rule : rules) {
    if (!junctions.MayHold(rule.Pattern())) continue;
    if (ask(rule)) {
      any_yes = true;
      junctions = Junctions(text);
    }
  }
  return any_yes;
}

}  // namespace

bool AskEachRule(std::u16string& text, std::span<const Rule> rules,
                 std::u16string_view title, std::u16string_view question,
                 Asker& asker) {
  return AskOverRules(text, rules, [&](const Rule& rule) {
    return AskEachOccurrence(text, rule.Pattern(), rule.Replacement(), title,
                             question, asker);
  });
}

bool AskEachJunctionRule(std::u16string& text, std::span<const Rule> rules,
                         std::u16string_view kind, std::u16string_view title,
                         Asker& asker) {
  return AskOverRules(text, rules, [&](const Rule& rule) {
    return AskAtJunction2(text, rule.Pattern(), rule.Replacement(), kind, title,
                          asker);
  });
}

}  // namespace pimoru
