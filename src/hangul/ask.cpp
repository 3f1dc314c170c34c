#include "hangul/ask.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "hangul/jamo.h"

namespace pimoru {
namespace {

// A question answered before to be remembered, counted once more in the
// record; null when there is none.
const RecordedQuestion* FromMemory(const Question& question, Asking& asking) {
  if (asking.remembered.empty()) return nullptr;
  const RecordedQuestion now = question.Record({});
  const auto same = [&now](const RecordedQuestion& q) { return q.SameAs(now); };
  const auto kept =
      std::find_if(asking.remembered.begin(), asking.remembered.end(), same);
  if (kept == asking.remembered.end()) return nullptr;
  if (asking.record != nullptr) {
    const auto listed =
        std::find_if(asking.record->begin(), asking.record->end(), same);
    if (listed != asking.record->end()) {
      ++listed->places;
    } else {
      asking.record->push_back(*kept);
    }
  }
  return &*kept;
}

// The input stays as it was during a walk and the output is built beside
// it; the text takes the output only when some answer was Yes.
template <bool kWholeOccurrence>
bool Walk(JamoText& text, std::u16string_view pattern,
          std::u16string_view replacement, QuestionKind kind, Asking& asking) {
  if (pattern.empty()) return false;
  const std::u16string_view input = text.view();
  std::size_t hit = Find(input, pattern);
  if (hit == std::u16string_view::npos) return false;
  std::u16string out;
  out.reserve(input.size() + replacement.size());
  bool any_yes = false;
  std::size_t done = 0;
  while (hit != std::u16string_view::npos) {
    out.append(input.substr(done, hit - done));
    const Question question(kind, input, hit, pattern, asking.typed);
    if (AskOne(question, Judgement{}, asking)) {
      out.append(replacement);
      any_yes = true;
      done = hit + pattern.size();
    } else if (kWholeOccurrence) {
      out.append(pattern);
      done = hit + pattern.size();
    } else {
      // Refused: copy one code unit and look again from the next one.
      out += input[hit];
      done = hit + 1;
    }
    hit = Find(input, pattern, done);
  }
  if (!any_yes) return false;
  out.append(input.substr(done));
  text.Edit() = std::move(out);
  return true;
}

}  // namespace

bool AskOne(const Question& question, const Judgement& guess, Asking& asking) {
  Answer answer;
  if (asking.decided_only) {
    std::optional<Answer> decided = asking.asker.Decide(question);
    if (!decided || !decided->yes) return false;
    answer = std::move(*decided);
  } else if (const RecordedQuestion* kept = FromMemory(question, asking)) {
    return kept->answer.yes;
  } else {
    answer = asking.asker.Respond(question, guess);
  }
  const bool yes = answer.yes;
  if (asking.record != nullptr || answer.remember) {
    RecordedQuestion asked = question.Record(std::move(answer));
    if (asked.answer.remember) asking.remembered.push_back(asked);
    if (asking.record != nullptr) asking.record->push_back(std::move(asked));
  }
  return yes;
}

bool AskEachOccurrence(JamoText& text, std::u16string_view pattern,
                       std::u16string_view replacement, QuestionKind kind,
                       Asking& asking) {
  return Walk<false>(text, pattern, replacement, kind, asking);
}

bool AskAtJunction(JamoText& text, std::u16string_view pattern,
                   std::u16string_view replacement, QuestionKind kind,
                   Asking& asking) {
  if (pattern.size() < 2) return false;
  return Walk<true>(text, pattern, replacement, kind, asking);
}

bool AskEachRule(JamoText& text, const RuleTable& rules, QuestionKind kind,
                 Asking& asking, Search search) {
  Candidates candidates(rules.index(), text, search);
  const auto ask = AtJunction(kind) ? AskAtJunction : AskEachOccurrence;
  bool any_yes = false;
  for (std::size_t r = candidates.Next(); r < rules.rules().size();
       r = candidates.Next()) {
    const Rule& rule = rules.rules()[r];
    if (ask(text, rule.Pattern(), rule.Replacement(), kind, asking)) {
      any_yes = true;
      candidates.Rescan(text.view());
    }
  }
  return any_yes;
}

}  // namespace pimoru
