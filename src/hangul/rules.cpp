#include "hangul/rules.h"

#include "hangul/jamo.h"

namespace pimoru {

std::vector<std::u16string_view> RuleTable::PatternsOf(
    std::span<const Rule> rules) {
  std::vector<std::u16string_view> patterns;
  patterns.reserve(rules.size());
  for (const Rule& rule : rules) patterns.push_back(rule.Pattern());
  return patterns;
}

RuleTable::RuleTable(std::span<const Rule> rules)
    : rules_(rules), patterns_(PatternsOf(rules)), index_(patterns_) {}

namespace {

bool Replace(JamoText& text, const Rule& rule,
             std::vector<std::size_t>& written_at) {
  return text.ReplaceAll(rule.Pattern(), rule.Replacement(), written_at);
}

bool Replace(std::u16string& text, const Rule& rule,
             std::vector<std::size_t>& written_at) {
  return ReplaceAll(text, rule.Pattern(), rule.Replacement(), written_at);
}

std::u16string_view ViewOf(const JamoText& text) { return text.view(); }
std::u16string_view ViewOf(const std::u16string& text) { return text; }

template <typename Text>
bool ApplyCandidates(Text& text, const RuleTable& table,
                     Candidates& candidates) {
  const std::span<const Rule> rules = table.rules();
  std::vector<std::size_t> written_at;
  bool changed = false;
  for (std::size_t r = candidates.Next(); r < rules.size();
       r = candidates.Next()) {
    written_at.clear();
    if (!Replace(text, rules[r], written_at)) continue;
    changed = true;
    candidates.Rewritten(ViewOf(text), written_at,
                         rules[r].Replacement().size());
  }
  return changed;
}

}  // namespace

bool ApplyRules(JamoText& text, const RuleTable& table, Search search) {
  Candidates candidates(table.index(), text, search);
  return ApplyCandidates(text, table, candidates);
}

bool ApplyRules(std::u16string& text, const RuleTable& table, Search search) {
  Candidates candidates(table.index(), text, search);
  return ApplyCandidates(text, table, candidates);
}

bool MayStand(JamoText& text, const RuleTable& table, Search search) {
  return search == Search::kEveryPattern ||
         table.index().MayOccur(text.Summary());
}

}  // namespace pimoru
