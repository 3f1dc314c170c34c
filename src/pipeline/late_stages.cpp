#include "pipeline/late_stages.h"

#include <cstddef>

namespace pimoru {
namespace {

// Runs `ask` for each rule whose pattern may occur. A Yes rewrites the
// text, so it is looked up afresh.
template <typename AskOne>
bool AskOverRules(std::u16string& text, const RuleIndex& rules,
                  const LetterPairs* pairs, AskOne ask) {
  RuleCandidates candidates(rules, text, pairs);
  bool any_yes = false;
  for (std::size_t r = candidates.Next(); r < rules.rules().size();
       r = candidates.Next()) {
    if (ask(rules.rules()[r])) {
      any_yes = true;
      candidates.Add(text);
    }
  }
  return any_yes;
}

}  // namespace

bool AskEachRule(std::u16string& text, const RuleIndex& rules,
                 std::u16string_view title, std::u16string_view question,
                 Asker& asker, const LetterPairs* pairs) {
  return AskOverRules(text, rules, pairs, [&](const Rule& rule) {
    return AskEachOccurrence(text, rule.Pattern(), rule.Replacement(), title,
                             question, asker);
  });
}

bool AskEachJunctionRule(std::u16string& text, const RuleIndex& rules,
                         std::u16string_view kind, std::u16string_view title,
                         Asker& asker, const LetterPairs* pairs) {
  return AskOverRules(text, rules, pairs, [&](const Rule& rule) {
    return AskAtJunction2(text, rule.Pattern(), rule.Replacement(), kind, title,
                          asker);
  });
}

}  // namespace pimoru
