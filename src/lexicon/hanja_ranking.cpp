#include "lexicon/hanja_ranking.h"

#include <algorithm>

namespace pimoru {
namespace {

// How many of `longer` are spelled beginning with `entry`'s spelling.
std::size_t WordsBuiltOn(const HanjaEntry& entry,
                         const std::vector<HanjaEntry>& longer) {
  return static_cast<std::size_t>(std::count_if(
      longer.begin(), longer.end(),
      [&](const HanjaEntry& e) { return e.hanja.starts_with(entry.hanja); }));
}

}  // namespace

std::vector<HanjaEntry> RankedHanja(const HanjaDictionary& hanja,
                                    std::u16string_view word) {
  std::vector<HanjaEntry> ranked;
  for (const HanjaEntry& entry : hanja.Entries(word)) {
    if (entry.AllHanja()) ranked.push_back(entry);
  }
  // A single syllable begins thousands of words whatever its use: it keeps
  // the dictionary's order.
  if (ranked.size() < 2 || word.size() < 2) return ranked;
  const std::vector<HanjaEntry> longer = hanja.LongerEntries(word);
  if (WordsBuiltOn(ranked.front(), longer) > 0) return ranked;
  std::size_t best = 0;
  std::size_t best_count = kLeastAttested - 1;
  for (std::size_t k = 1; k < ranked.size(); ++k) {
    const std::size_t count = WordsBuiltOn(ranked[k], longer);
    if (count > best_count) {
      best = k;
      best_count = count;
    }
  }
  std::rotate(ranked.begin(),
              ranked.begin() + static_cast<std::ptrdiff_t>(best),
              ranked.begin() + static_cast<std::ptrdiff_t>(best) + 1);
  return ranked;
}

std::u16string ShownHanja(const std::vector<HanjaEntry>& ranked) {
  std::u16string shown;
  for (std::size_t k = 0; k < ranked.size() && k < kShownSpellings; ++k) {
    if (k > 0) shown += u"／";
    shown += ranked[k].hanja;
  }
  if (ranked.size() > kShownSpellings) shown += u"…";
  return shown;
}

}  // namespace pimoru
