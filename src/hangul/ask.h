// Yes/no questions about a place in the text.
//
// Where a sound change depends on a fact the letters cannot show (a compound,
// a Sino-Korean word, a future adnominal form), a stage finds every place its
// rule could apply and asks, place by place. The replacement is made only
// where the answer is Yes. Answers are never remembered.
#ifndef PIMORU_HANGUL_ASK_H_
#define PIMORU_HANGUL_ASK_H_

#include <string>
#include <string_view>

namespace pimoru {

// Answers the questions: the window with a modal box, the command line with
// its answer policy, the tests with a script.
class Asker {
 public:
  virtual ~Asker() = default;
  // True for Yes; No and any other way of closing the question are false.
  virtual bool Confirm(std::u16string_view message) = 0;
  // False for an asker that answers without reading the message: the
  // questions then pass it an empty one and spare composing it, which for a
  // word as long as the whole text costs a pass over the text per question.
  virtual bool ReadsMessages() const { return true; }
};

// Answers every question the same way without showing it.
class FixedAsker : public Asker {
 public:
  explicit FixedAsker(bool answer) : answer_(answer) {}
  bool Confirm(std::u16string_view) override { return answer_; }
  bool ReadsMessages() const override { return false; }

 private:
  bool answer_;
};

// For every occurrence of `pattern` in a JamoString, in text order, shows the
// word around it and asks whether to replace it there. A refused occurrence
// is copied one code unit at a time, so an occurrence that begins inside it
// is asked about next. Returns whether any answer was Yes.
bool AskEachOccurrence(std::u16string& text, std::u16string_view pattern,
                       std::u16string_view replacement,
                       std::u16string_view title, std::u16string_view question,
                       Asker& asker);

// For every occurrence of a junction pattern (a final, an initial and, for
// the three-unit form, a medial), shows the two syllables that meet there
// and asks whether to apply the rule. Returns whether any answer was Yes.
bool AskAtJunction3(std::u16string& text, std::u16string_view pattern,
                    std::u16string_view replacement, std::u16string_view kind,
                    std::u16string_view title, Asker& asker);
bool AskAtJunction2(std::u16string& text, std::u16string_view pattern,
                    std::u16string_view replacement, std::u16string_view kind,
                    std::u16string_view title, Asker& asker);

// The messages as the user sees them.
std::u16string OccurrenceMessage(std::u16string_view title,
                                 std::u16string_view word,
                                 std::u16string_view question);
std::u16string JunctionMessage(std::u16string_view title,
                               std::u16string_view pair,
                               std::u16string_view kind, char16_t final_jamo,
                               char16_t initial_jamo);

}  // namespace pimoru

#endif  // PIMORU_HANGUL_ASK_H_
