#include "pipeline/late_stages.h"

namespace pimoru {
namespace {

// Runs `ask` for each rule whose pattern may occur. A Yes can only add the
// replacement's characters, so the presence set stays an over-estimate.
template <typename AskOne>
bool AskOverRules(std::u16string& text, std::span<const Rule> rules,
                  AskOne ask) {
  CharPresence present(text);
  bool any_yes = false;
  for (const Rule& rule : rules) {
    if (!present.MayContainAll(rule.Pattern())) continue;
    if (ask(rule)) {
      any_yes = true;
      present.Add(rule.Replacement());
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
