#include "report/change_reasons.h"

#include <algorithm>
#include <vector>

#include "hangul/jamo.h"
#include "report/text_diff.h"

namespace pimoru {
namespace {

// The most characters of a stretch of words a note quotes.
constexpr std::size_t kMaxQuoted = 16;

// A syllable of the previous text and the one it became, and whether
// something that is no syllable (a space, a join marker) stood before each
// since the syllable before them.
struct SyllablePair {
  char16_t before;
  char16_t after;
  bool gap_before = false;
  bool gap_after = false;
  // The first pair after a stretch that could not be paired: no junction
  // with the pair before it is described.
  bool after_break = false;
};

struct Letters {
  char16_t initial;
  char16_t medial;
  char16_t final_jamo;  // 0: none
};

Letters LettersOf(char16_t syllable) {
  const std::u16string jamo = DecomposeSyllable(syllable);
  return {jamo[0], jamo[1], jamo.size() > 2 ? jamo[2] : char16_t{0}};
}

std::u16string Letter(char16_t jamo) {
  return jamo == 0 ? std::u16string()
                   : std::u16string(1, CompatibilityJamo(jamo));
}

// One side of a junction: "ㄱ+ㄹ", or the initial alone without a final.
std::u16string Side(char16_t final_jamo, char16_t initial) {
  if (final_jamo == 0) return Letter(initial);
  return Letter(final_jamo) + u"+" + Letter(initial);
}

constexpr bool IsBlank(char16_t c) { return c <= u' ' || c == u'\u3000'; }

// The words around [begin, end) of `text`, cut short when long.
std::u16string WordsAround(std::u16string_view text, std::size_t begin,
                           std::size_t end) {
  while (begin > 0 && !IsBlank(text[begin - 1])) --begin;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  std::u16string words(text.substr(begin, end - begin));
  if (words.size() > kMaxQuoted) words = words.substr(0, kMaxQuoted) + u"…";
  return words;
}

class Notes {
 public:
  void Add(std::u16string note) {
    if (std::find(notes_.begin(), notes_.end(), note) == notes_.end()) {
      notes_.push_back(std::move(note));
    }
  }
  bool empty() const { return notes_.empty(); }
  std::u16string Joined() const {
    std::u16string text;
    for (std::size_t k = 0; k < notes_.size() && k < kMaxReasons; ++k) {
      if (k > 0) text += u"、";
      text += notes_[k];
    }
    if (notes_.size() > kMaxReasons) text += u"、…";
    return text;
  }

 private:
  std::vector<std::u16string> notes_;
};

// Walks the two texts along their differences and pairs their syllables:
// unchanged ones with themselves, and within a changed stretch the k-th
// syllable of the old with the k-th of the new, where both have as many.
// A stretch that cannot be paired, or whose syllables are all the same (a
// space put in or taken out), is noted as the words it changed.
class Pairing {
 public:
  Pairing(std::u16string_view previous, std::u16string_view current,
          Notes& notes)
      : previous_(previous), current_(current), notes_(notes) {
    std::size_t i = 0;
    for (const DiffHunk& hunk : DiffHunks(previous, current)) {
      Kept(i, hunk.previous_begin);
      Changed(hunk);
      i = hunk.previous_end;
    }
    Kept(i, previous.size());
  }

  const std::vector<SyllablePair>& pairs() const { return pairs_; }

 private:
  void Kept(std::size_t from, std::size_t to) {
    for (std::size_t k = from; k < to; ++k) {
      const char16_t c = previous_[k];
      if (IsSyllable(c)) {
        Emit(c, c);
      } else {
        gap_before_ = gap_after_ = true;
      }
    }
  }

  void Changed(const DiffHunk& hunk) {
    const std::u16string_view before = previous_.substr(
        hunk.previous_begin, hunk.previous_end - hunk.previous_begin);
    const std::u16string_view after = current_.substr(
        hunk.current_begin, hunk.current_end - hunk.current_begin);
    std::vector<std::size_t> old_syllables;
    std::vector<std::size_t> new_syllables;
    for (std::size_t k = 0; k < before.size(); ++k) {
      if (IsSyllable(before[k])) old_syllables.push_back(k);
    }
    for (std::size_t k = 0; k < after.size(); ++k) {
      if (IsSyllable(after[k])) new_syllables.push_back(k);
    }
    const bool pairable = old_syllables.size() == new_syllables.size();
    bool any_changed = false;
    for (std::size_t k = 0; pairable && k < old_syllables.size(); ++k) {
      any_changed =
          any_changed || before[old_syllables[k]] != after[new_syllables[k]];
    }
    if (!pairable || !any_changed) {
      notes_.Add(
          WordsAround(previous_, hunk.previous_begin, hunk.previous_end) +
          u"→" + WordsAround(current_, hunk.current_begin, hunk.current_end));
    }
    if (!pairable) {
      break_ = true;
      gap_before_ = gap_after_ = true;
      return;
    }
    std::size_t old_at = 0;
    std::size_t new_at = 0;
    for (std::size_t k = 0; k < old_syllables.size(); ++k) {
      gap_before_ = gap_before_ || old_syllables[k] > old_at;
      gap_after_ = gap_after_ || new_syllables[k] > new_at;
      Emit(before[old_syllables[k]], after[new_syllables[k]]);
      old_at = old_syllables[k] + 1;
      new_at = new_syllables[k] + 1;
    }
    gap_before_ = gap_before_ || before.size() > old_at;
    gap_after_ = gap_after_ || after.size() > new_at;
  }

  void Emit(char16_t before, char16_t after) {
    pairs_.push_back({before, after, gap_before_, gap_after_, break_});
    gap_before_ = gap_after_ = break_ = false;
  }

  std::u16string_view previous_;
  std::u16string_view current_;
  Notes& notes_;
  std::vector<SyllablePair> pairs_;
  bool gap_before_ = true;  // the text's start is a pause
  bool gap_after_ = true;
  bool break_ = false;
};

}  // namespace

std::u16string ChangeReason(std::u16string_view previous,
                            std::u16string_view current,
                            std::span<const RecordedQuestion> questions) {
  Notes notes;
  const Pairing pairing(previous, current, notes);
  const std::vector<SyllablePair>& pairs = pairing.pairs();
  bool across = false;
  for (std::size_t k = 0; k < pairs.size(); ++k) {
    const SyllablePair& pair = pairs[k];
    const Letters old_letters = LettersOf(pair.before);
    const Letters new_letters = LettersOf(pair.after);
    // Its initial, where no junction before it tells of it.
    const bool joined_before = k > 0 && !pair.after_break;
    if (old_letters.initial != new_letters.initial && !joined_before) {
      notes.Add(Letter(old_letters.initial) + u"→" +
                Letter(new_letters.initial));
    }
    if (old_letters.medial != new_letters.medial) {
      notes.Add(Letter(old_letters.medial) + u"→" + Letter(new_letters.medial));
    }
    // The junction with the next syllable: within a word, or across a space
    // that the change reaches over.
    const SyllablePair* next = k + 1 < pairs.size() && !pairs[k + 1].after_break
                                   ? &pairs[k + 1]
                                   : nullptr;
    const bool final_changed = old_letters.final_jamo != new_letters.final_jamo;
    const bool next_changed =
        next != nullptr &&
        LettersOf(next->before).initial != LettersOf(next->after).initial;
    const bool paused =
        next == nullptr || (next->gap_before && next->gap_after);
    if (next != nullptr && (next_changed || (final_changed && !paused))) {
      notes.Add(Side(old_letters.final_jamo, LettersOf(next->before).initial) +
                u"→" +
                Side(new_letters.final_jamo, LettersOf(next->after).initial));
      across = across || next->gap_before || next->gap_after;
    } else if (final_changed) {
      notes.Add(Letter(old_letters.final_jamo) + u"→" +
                Letter(new_letters.final_jamo));
    }
  }
  std::vector<std::u16string> why;
  for (const RecordedQuestion& q : questions) {
    if (!q.answer.yes) continue;
    std::u16string label(InfoOf(q.kind).label);
    if (label.ends_with(u'？')) label.pop_back();
    if (std::find(why.begin(), why.end(), label) == why.end()) {
      why.push_back(label);
    }
  }
  if (across) why.push_back(u"語の間");
  std::u16string reason = notes.Joined();
  if (reason.empty()) return reason;  // nothing changed
  if (!why.empty()) {
    reason += u"（";
    for (std::size_t k = 0; k < why.size(); ++k) {
      if (k > 0) reason += u"、";
      reason += why[k];
    }
    reason += u"）";
  }
  return reason;
}

}  // namespace pimoru
