// A yes/no question about a place in the text, as data.
//
// Where a sound change depends on a fact the letters cannot show (a
// compound, a Sino-Korean word, a future adnominal form), a stage asks, place
// by place. A question names its kind, the stage that asks, the place in the
// working text and, where the input line as typed is known, the word and the
// syllables there, so that an answerer can decide from the word and a report
// can list it. The message shown to a user is composed only when asked for.
#ifndef PIMORU_HANGUL_QUESTION_H_
#define PIMORU_HANGUL_QUESTION_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pimoru {

enum class QuestionKind {
  kNInsertion,        // is the word a compound? (a junction)
  kSinoKoreanSuffix,  // a Sino-Korean word with a suffix? (a word)
  kSinoKorean,        // is the word Sino-Korean? (a junction)
  kFutureAdnominal,   // is this ㄹ a future adnominal form? (a word)
  kListedEnding,      // the same, for an ending of the list of such endings
};

// Whether a kind asks about the junction of two syllables (the final of one,
// the initial of the next) rather than about the word.
constexpr bool AtJunction(QuestionKind kind) {
  return kind == QuestionKind::kNInsertion || kind == QuestionKind::kSinoKorean;
}

// How far a word reaches on each side of a place it is asked about: a run of
// Hangul longer than this on either side (text typed without spaces) is read
// as the stretch of this many letters on that side, so that a question
// costs the same however long the run. A word up to kWordReach + 1 letters
// long is always read whole; no word of the dictionaries is nearly as long.
inline constexpr std::size_t kWordReach = 64;

// A stretch of the input line as typed, in its code units.
struct TypedSpan {
  std::size_t offset = 0;
  std::size_t length = 0;
  friend bool operator==(const TypedSpan&, const TypedSpan&) = default;
};

// The input line as typed, and where in it a syllable of the working text
// stands. The jamo stages keep the number of syllables, so the k-th syllable
// of the working text is the k-th of the input, unless a word list changed
// their number; then the syllables the two texts share at the start and at
// the end are matched, and the rest maps to the first syllable that differs.
// Worked out at the first question that asks, not before.
class TypedInput {
 public:
  explicit TypedInput(std::u16string_view input) : input_(input) {}
  TypedInput(const TypedInput&) = delete;
  TypedInput& operator=(const TypedInput&) = delete;

  std::u16string_view line() const { return input_; }
  // The offset in the input of the syllable that holds place `at` of the
  // working JamoString `jamo`; at a unit that is no jamo, of the next
  // syllable. npos when there is none.
  std::size_t SyllableOffset(std::u16string_view jamo, std::size_t at);
  // The word around an offset of the input: the run of Hangul holding it,
  // reaching at most kWordReach letters to either side of the offset.
  TypedSpan WordAround(std::size_t offset) const;

 private:
  void Map(std::u16string_view jamo);
  std::size_t InputSyllable(std::size_t k) const;

  std::u16string_view input_;
  bool mapped_ = false;
  std::vector<std::uint32_t> syllables_;  // offsets of the input's syllables
  std::size_t working_count_ = 0;         // syllables of the working text
  std::size_t same_start_ = 0;            // matched at the start
  std::size_t same_end_ = 0;              // and at the end
  // Where the last lookup stood, so that questions in text order count the
  // syllables once: the text, the place and the syllables before it.
  const char16_t* cursor_text_ = nullptr;
  std::size_t cursor_size_ = 0;
  std::size_t cursor_at_ = 0;
  std::size_t cursor_count_ = 0;
};

// What a dictionary makes of a question: Yes or No when it can decide, and
// otherwise perhaps a guess; why, in the words of the work report
// ("목록＝目錄（漢字語）"); and the hanja of the word where known, with the
// Hangul they spell ("목록", "目錄").
enum class Verdict { kYes, kNo, kUnknown };
struct Judgement {
  Verdict verdict = Verdict::kUnknown;
  bool guess = false;  // with kUnknown: the likelier answer
  std::u16string reason;
  std::u16string word;
  std::u16string hanja;
};

// Who gave an answer: a dictionary, the user, or a fixed policy (the
// command line's --answers yes and no, an answer list, the fallback of a
// dictionary that cannot decide).
enum class Answerer { kDictionary, kUser, kPolicy };
struct Answer {
  bool yes = false;
  Answerer by = Answerer::kUser;
  std::u16string reason;  // the dictionary's, where one was consulted
};

// One question as the record keeps it: the stage that asked, its kind, the
// word as typed (as it stood in the working text where the input is not
// known), for a junction the two syllables that meet there, and the answer.
struct RecordedQuestion {
  int slot = 0;
  QuestionKind kind = QuestionKind::kSinoKorean;
  std::u16string word;
  std::u16string pair;
  Answer answer;
};

class Question {
 public:
  // About the occurrence of `pattern` at place `at` of the JamoString
  // `jamo`, which must outlive the question. `typed` may be null.
  Question(QuestionKind kind, int slot, std::u16string_view title,
           std::u16string_view jamo, std::size_t at,
           std::u16string_view pattern, TypedInput* typed)
      : kind_(kind),
        slot_(slot),
        title_(title),
        jamo_(jamo),
        at_(at),
        pattern_(pattern),
        typed_(typed) {}

  QuestionKind kind() const { return kind_; }
  int slot() const { return slot_; }  // the stage that asks
  std::u16string_view pattern() const { return pattern_; }

  // The word as it now stands in the working text ("할게"); at a space,
  // the word that follows.
  std::u16string CurrentWord() const;
  // At a junction: the two syllables that meet there, with the pattern's
  // final and initial ("솜이"; across a word boundary "한 일").
  std::u16string JunctionPair() const;

  // The input line as typed, the word the question is about in it, and the
  // offset of the syllable that holds unit `k` of the pattern (0 and 1
  // meet at a junction). Empty and npos where the input is not known.
  std::u16string_view TypedLine() const;
  TypedSpan TypedWord() const;
  std::size_t TypedSyllable(std::size_t k) const;

  // The text shown to the user, lines broken with "\n".
  std::u16string Message() const;
  // The same with what a dictionary found: the word as typed with its hanja
  // ("목록(目錄)は漢字語ですか？") where the judgement names them.
  std::u16string Message(const Judgement& judgement) const;
  // The two syllables as typed that meet at a junction ("입력" where the
  // working text has 입려), or the word as typed for a question about a
  // word; what the working text holds where the input is not known.
  std::u16string TypedPlace() const;
  // The record of this question with its answer.
  RecordedQuestion Record(Answer answer) const;

 private:
  // Where in the pattern the initial of the junction is: after the final,
  // or after the word boundary that follows it.
  std::size_t JunctionInitial() const;
  // The message with `shown` as the word or the pair it is about.
  std::u16string MessageShowing(std::u16string_view shown) const;
  // The word as typed, or as the working text holds it where the input is
  // not known.
  std::u16string TypedWordText() const;

  QuestionKind kind_;
  int slot_;
  std::u16string_view title_;
  std::u16string_view jamo_;
  std::size_t at_;
  std::u16string_view pattern_;
  TypedInput* typed_;
};

// Answers the questions: the window with a modal box, the command line with
// its answer policy, a dictionary, the tests with a script.
class Asker {
 public:
  virtual ~Asker() = default;
  // True for Yes; No and any other way of closing the question are false.
  virtual bool Confirm(const Question& question) = 0;
  // The answer with who gave it, told what a dictionary made of the question
  // (Unknown with no reason where none was consulted), so that one showing
  // it can offer the guess and the hanja. By default the user answers.
  virtual Answer Respond(const Question& question, const Judgement& guess) {
    return {Confirm(question), Answerer::kUser, guess.reason};
  }
};

// Answers every question the same way without showing it.
class FixedAsker : public Asker {
 public:
  explicit FixedAsker(bool answer) : answer_(answer) {}
  bool Confirm(const Question&) override { return answer_; }
  Answer Respond(const Question&, const Judgement& guess) override {
    return {answer_, Answerer::kPolicy, guess.reason};
  }

 private:
  bool answer_;
};

// The message of a question about one word, as the user sees it.
std::u16string OccurrenceMessage(std::u16string_view title,
                                 std::u16string_view word,
                                 std::u16string_view question);

}  // namespace pimoru

#endif  // PIMORU_HANGUL_QUESTION_H_
