#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>

#include "hangul/jamo.h"
#include "pipeline/stages.h"

namespace pimoru {
namespace {

constexpr char16_t kIdeographicSpace = u'\u3000';

// The native number words that go before a counter, by count 1 to 4, each
// one syllable. A counter listed as irregular takes 석 and 넉 (석 달, 넉 장)
// instead of 세 and 네.
struct NumberWord {
  std::u16string_view regular;
  std::u16string_view irregular;
};
constexpr NumberWord kNumberWords[] = {
    {u"한", u"한"},  // 1
    {u"두", u"두"},  // 2
    {u"세", u"석"},  // 3
    {u"네", u"넉"},  // 4
};

}  // namespace

bool FormatInput(StageContext& c) {
  std::u16string& text = c.text;
  // The full-width space of a Japanese input method is a space; the
  // character of stage 2's joins, typed by the user, is no join of ours.
  for (char16_t& c : text) {
    if (c == kIdeographicSpace) c = u' ';
    if (c == kJoinMarker) c = u'\uFFFD';
  }
  TrimInPlace(text);
  // Only the first space of a run survives; tabs and line breaks stay.
  // Rewritten in place, as the text only shrinks.
  std::size_t kept = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u' ' && kept > 0 && text[kept - 1] == u' ') continue;
    text[kept++] = text[i];
  }
  text.resize(kept);
  return false;  // formatting is never reported as a change
}

bool AdjustSpacing(StageContext& c) {
  std::u16string& text = c.text;
  const auto counters = c.lists.Indexed(WordListId::kCoSuff);
  if (!counters) return false;
  // A join turns a space into the marker and so never makes a new " 한 ":
  // a number word that is not between spaces now never will be.
  bool present[std::size(kNumberWords)][2] = {};
  bool any_present = false;
  for (std::size_t i = 0; i + 2 < text.size(); ++i) {
    if (text[i] != u' ' || text[i + 2] != u' ') continue;
    for (std::size_t n = 0; n < std::size(kNumberWords); ++n) {
      for (const int form : {0, 1}) {
        const std::u16string_view word =
            form == 0 ? kNumberWords[n].regular : kNumberWords[n].irregular;
        if (text[i + 1] == word.front()) {
          present[n][form] = true;
          any_present = true;
        }
      }
    }
  }
  if (!any_present) return false;

  // Only a counter whose letters stand in the text can follow a number
  // word.
  const WordList& entries = counters->entries();
  Candidates candidates = c.ListCandidates(*counters, text);
  bool changed = false;
  std::u16string pattern;
  std::u16string replacement;
  for (std::size_t k = candidates.Next(); k < entries.size();
       k = candidates.Next()) {
    const WordListEntry& counter = entries[k];
    const int form = counter.number == 0 ? 0 : 1;
    for (std::size_t i = 0; i < std::size(kNumberWords); ++i) {
      if (!present[i][form]) continue;
      const std::u16string_view word =
          form == 0 ? kNumberWords[i].regular : kNumberWords[i].irregular;
      // " 한 개" → " 한$개": the space in front keeps a number word that
      // begins the text apart; nothing is needed after the counter.
      // Cleared and refilled, not assigned from a literal: at -O3 GCC 12
      // falsely warns that assign() copies overlapping memory (-Wrestrict).
      pattern.clear();
      pattern.push_back(u' ');
      pattern.append(word).append(u" ").append(counter.text);
      replacement.clear();
      replacement.push_back(u' ');
      replacement.append(word);
      replacement.push_back(kJoinMarker);
      replacement.append(counter.text);
      if (ReplaceAll(text, pattern, replacement)) {
        candidates.Rescan(text);
        changed = true;
      }
    }
  }
  return changed;
}

bool ApplySpecialWords(StageContext& c) {
  std::u16string& text = c.text;
  bool changed = false;
  if (const auto specials = c.lists.Indexed(WordListId::kKSpecial)) {
    const WordList& entries = specials->entries();
    const std::size_t limit = WordListTextLimit(text.size());
    Candidates candidates = c.ListCandidates(*specials, text);
    for (std::size_t k = candidates.Next(); k < entries.size();
         k = candidates.Next()) {
      const WordListEntry& special = entries[k];
      if (!ReplaceListedWord(text, special, WordListId::kKSpecial, limit)) {
        continue;
      }
      candidates.Rescan(text);
      changed = true;
      // An entry may credit the change to another stage of the record; the
      // list names the stages of the sound changes, and the reading of
      // numbers, numbered after them, is none of those.
      const auto credited = StageNumbered(special.number);
      if (credited && *credited != StageId::kNumberReading) {
        c.record.changed[*credited] = true;
      }
    }
  }
  // The join markers go even without a special-word list: they must never
  // reach the reading. Their removal is not a change of its own; a "$" that
  // was typed stays.
  std::erase(text, kJoinMarker);
  return changed;
}

void RecordText(std::u16string_view text, std::u16string& kept) {
  kept.assign(text);  // in the record's own room
  std::replace(kept.begin(), kept.end(), kJoinMarker, u'$');
}

}  // namespace pimoru
