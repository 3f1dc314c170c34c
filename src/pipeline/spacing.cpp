#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>

#include "hangul/jamo.h"
#include "pipeline/stages.h"

namespace pimoru {
namespace {

// The character with which stage 2 joins a number word to its counter and
// which stage 3 removes again.
constexpr char16_t kJoinMarker = u'$';

// The native number words that go before a counter, by count 1 to 4. A
// counter listed as irregular takes 석 and 넉 (석 달, 넉 장) instead of 세
// and 네.
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

bool FormatInput(std::u16string& text) {
  const std::u16string trimmed = Trim(text);
  std::u16string out;
  out.reserve(trimmed.size());
  for (const char16_t c : trimmed) {
    // Only the first space of a run survives; tabs and line breaks stay.
    if (c == u' ' && !out.empty() && out.back() == u' ') continue;
    out += c;
  }
  text = std::move(out);
  return false;  // formatting is never reported as a change
}

bool AdjustSpacing(std::u16string& text, WordListSource& lists) {
  const auto counters = lists.Entries(WordListId::kCoSuff);
  if (!counters) return false;
  // A join turns a space into "$" and so never makes a new " 한 ": a
  // number word that is not between spaces now never will be.
  auto between_spaces = [&](std::u16string_view word) {
    return text.find(std::u16string(u" ").append(word).append(u" ")) !=
           std::u16string::npos;
  };
  bool present[std::size(kNumberWords)][2];
  bool any_present = false;
  for (std::size_t i = 0; i < std::size(kNumberWords); ++i) {
    present[i][0] = between_spaces(kNumberWords[i].regular);
    present[i][1] = between_spaces(kNumberWords[i].irregular);
    any_present = any_present || present[i][0] || present[i][1];
  }
  if (!any_present) return false;

  bool changed = false;
  std::u16string pattern;
  std::u16string replacement;
  for (const WordListEntry& counter : *counters) {
    const int form = counter.number == 0 ? 0 : 1;
    for (std::size_t i = 0; i < std::size(kNumberWords); ++i) {
      if (!present[i][form]) continue;
      const std::u16string_view word =
          form == 0 ? kNumberWords[i].regular : kNumberWords[i].irregular;
      // " 한 개" → " 한$개": the space in front keeps a number word that
      // begins the text apart; nothing is needed after the counter.
      pattern.assign(u" ").append(word).append(u" ").append(counter.text);
      replacement.assign(u" ").append(word);
      replacement.push_back(kJoinMarker);
      replacement.append(counter.text);
      changed = ReplaceAll(text, pattern, replacement) || changed;
    }
  }
  return changed;
}

bool ApplySpecialWords(std::u16string& text, WordListSource& lists,
                       StageRecord& record) {
  bool changed = false;
  if (const auto specials = lists.Entries(WordListId::kKSpecial)) {
    for (const WordListEntry& special : *specials) {
      if (!ReplaceAll(text, special.text, special.replacement)) continue;
      changed = true;
      // An entry may credit the change to another stage of the record.
      if (special.number >= 0 && special.number < kSlotCount) {
        record.changed[special.number] = true;
      }
    }
  }
  // The join markers go even without a special-word list: a "$" must never
  // reach the reading. Their removal is not a change of its own.
  std::erase(text, kJoinMarker);
  return changed;
}

}  // namespace pimoru
