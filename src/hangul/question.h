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
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pimoru {

enum class QuestionKind : std::uint8_t {
  kNInsertion,              // is the word a compound? (a junction)
  kSinoKoreanSuffix,        // a Sino-Korean word with a suffix? (a word)
  kSinoKoreanNasalisation,  // is the word Sino-Korean? (a junction, 목록)
  kSinoKoreanTensification,  // the same where a hanja tenses (a junction, 발달)
  kFutureAdnominal,          // is this ㄹ a future adnominal form? (a word)
  kListedEnding,             // the same, for an ending of the list of such
  kNativeNumeral,  // native numerals before 번 or 대? (a place as typed)
};

// What a kind of question is, in one place: the rule it asks for, how its
// message asks, how the report names it, whether it is about the junction
// of two syllables (the final of one, the initial of the next) rather than
// about the word, its name in outputs and stored files, and whether an
// answerer that asks no one takes the guess of the stage that asks
// (--answers auto) rather than No.
struct QuestionKindInfo {
  QuestionKind kind;
  // The rule, as the message's heading shows it in 【】 and as its
  // explanation names it ("…場合、鼻音化します。").
  std::u16string_view title;
  // For a word, the sentence after it; at a junction, the kind of word.
  std::u16string_view wording;
  std::u16string_view label;  // in the report: "漢字語？"
  bool at_junction;
  std::string_view name;  // "sino-nasalisation"
  bool unasked_takes_guess = false;
};

inline constexpr QuestionKindInfo kQuestionKinds[] = {
    {QuestionKind::kNInsertion, u"N挿入", u"合成語または2語がつながった語",
     u"合成語？", true, "n-insertion"},
    {QuestionKind::kSinoKoreanSuffix, u"鼻音化",
     u"は接尾辞付きの漢字語ですか？その場合は流音化せずに、鼻音化します。",
     u"接尾辞付きの漢字語？", false, "sino-suffix"},
    {QuestionKind::kSinoKoreanNasalisation, u"鼻音化", u"漢字語", u"漢字語？",
     true, "sino-nasalisation"},
    {QuestionKind::kSinoKoreanTensification, u"濃音化", u"漢字語", u"漢字語？",
     true, "sino-tensification"},
    {QuestionKind::kFutureAdnominal, u"濃音化",
     u"は動詞や形容詞の未来連体形ですか？", u"未来連体形？", false, "future"},
    {QuestionKind::kListedEnding, u"濃音化",
     u"は動詞や形容詞の未来連体形ですか？", u"未来連体形？", false,
     "listed-ending"},
    // The message shows the place with its two readings: 3번（세 번／삼 번）.
    {QuestionKind::kNativeNumeral, u"数字の読み",
     u"は、回数や個数を数える固有語の数詞（前者）で読みますか？"
     u"いいえなら、番号や年代を表す漢数詞（後者）で読みます。",
     u"固有語の数詞？", false, "native-numeral", true},
};

constexpr bool InKindOrder() {
  for (std::size_t k = 0; k < std::size(kQuestionKinds); ++k) {
    if (static_cast<std::size_t>(kQuestionKinds[k].kind) != k) return false;
  }
  return true;
}
static_assert(InKindOrder(), "a row per kind, in the enum's order");

constexpr const QuestionKindInfo& InfoOf(QuestionKind kind) {
  return kQuestionKinds[static_cast<std::size_t>(kind)];
}

constexpr bool AtJunction(QuestionKind kind) {
  return InfoOf(kind).at_junction;
}

// The kind an output or a stored file names; nullopt for a name of none.
std::optional<QuestionKind> QuestionKindNamed(std::string_view name);

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
// Where the stages read the input respelled (numbers spelled out: 3시 → 세
// 시), the working text is matched with the respelling, and each syllable of
// that with the one typed that it stands for, if any.
// Worked out at the first question that asks, not before.
class TypedInput {
 public:
  // A syllable of a respelling that stands for none typed (the 세 of 세 시).
  static constexpr std::uint32_t kSpelled = UINT32_MAX;

  explicit TypedInput(std::u16string_view input) : input_(input) {}
  TypedInput(const TypedInput&) = delete;
  TypedInput& operator=(const TypedInput&) = delete;

  // The stages read the input respelled: `syllables` are the respelling's
  // syllables in order and `typed` says for each which syllable of the
  // input it is (its index among them), or kSpelled.
  void Respell(std::u16string syllables, std::vector<std::uint32_t> typed);

  std::u16string_view line() const { return input_; }
  // The offset in the input of the syllable that holds place `at` of the
  // working text `jamo`; at a unit that is no jamo, of the next
  // syllable. npos when there is none.
  std::size_t SyllableOffset(std::u16string_view jamo, std::size_t at);
  // The word around an offset of the input: the run of Hangul holding it,
  // reaching at most kWordReach letters to either side of the offset.
  TypedSpan WordAround(std::size_t offset) const;

 private:
  void Map(std::u16string_view jamo);
  // The syllable of the text the stages began with that the k-th of the
  // working text is matched with.
  std::size_t ReferenceIndex(std::size_t k) const;
  // The k-th syllable of the text the stages began with, and the index
  // among the input's syllables of the one it stands for.
  char16_t ReferenceSyllable(std::size_t k) const;
  std::uint32_t TypedIndex(std::size_t k) const;

  std::u16string_view input_;
  bool mapped_ = false;
  std::vector<std::uint32_t> syllables_;  // offsets of the input's syllables
  std::u16string respelled_;              // empty: the input as typed
  std::vector<std::uint32_t> respelled_typed_;
  std::size_t reference_count_ = 0;  // syllables the stages began with
  std::size_t working_count_ = 0;    // syllables of the working text
  std::size_t same_start_ = 0;       // matched at the start
  std::size_t same_end_ = 0;         // and at the end
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
  // The same answer for the same question about the same word, for the
  // rest of the conversion, without asking (以後、同じ語には同じ答え).
  bool remember = false;
};

// One question as the record keeps it: its kind, the word as typed (as it
// stood in the working text where the input is not known), for a junction
// the two syllables that meet there, the word as the message shows it with
// the junction marked ("서울｜역"), the answer, and at how many places it was
// given, the first asked and the rest remembered. At a junction, `stretch`
// is the part of the word that decides the answer: from its start through
// the syllable after the two that meet ("솜이불" of 솜이불을, "확인요" of
// 확인요청이), so that an answer kept for one form of a word serves its
// other forms, while a particle stays apart from a longer word (책이,
// 책이름).
struct RecordedQuestion {
  QuestionKind kind = QuestionKind::kNInsertion;
  std::u16string word;
  std::u16string pair;
  Answer answer;
  int places = 1;
  std::u16string marked = {};
  std::u16string stretch = {};

  // The same question: its kind and junction, and the stretch of the word
  // that decides it (the whole word where no stretch is kept).
  bool SameAs(const RecordedQuestion& other) const {
    if (kind != other.kind || pair != other.pair) return false;
    return stretch.empty() && other.stretch.empty() ? word == other.word
                                                    : stretch == other.stretch;
  }
};

class Question {
 public:
  // About the occurrence of `pattern` at place `at` of the working text
  // `jamo`, which must outlive the question. `typed` may be null.
  Question(QuestionKind kind, std::u16string_view jamo, std::size_t at,
           std::u16string_view pattern, TypedInput* typed)
      : kind_(kind), jamo_(jamo), at_(at), pattern_(pattern), typed_(typed) {}
  // About a place of the text that reads two ways, as it was typed ("3번")
  // and with its readings as the message shows them ("세 번／삼 번"); the
  // place is its word and its pattern. Both must outlive the question.
  Question(QuestionKind kind, std::u16string_view typed_place,
           std::u16string_view readings)
      : kind_(kind),
        at_(0),
        pattern_(typed_place),
        typed_(nullptr),
        readings_(readings) {}

  QuestionKind kind() const { return kind_; }
  std::u16string_view pattern() const { return pattern_; }

  // The word as it now stands in the working text ("할게"); at a space,
  // the word that follows. For a place that reads two ways, the place.
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

  // The text shown to the user, lines broken with "\n": the rule in 【】;
  // the question about the word as typed, in 「」; that word with a bar
  // where the letters of the junction meet and the letters named; at a
  // junction, what the rule then does; where the word stands in a line
  // that holds more than it; the dictionary's hanja and guess, where it
  // was consulted.
  //   【鼻音化】
  //   「목록을」（목록＝目錄）は漢字語ですか？
  //   　목｜록을（ㄱパッチム＋ㄹ初声）
  //   漢字語でㄱパッチムの後ろにㄹ初声が来た場合、鼻音化します。
  //   位置：4文字目　새 ［목록을］ 봤다
  //   辞書の推測：はい（목록＝目錄？）
  std::u16string Message() const;
  std::u16string Message(const Judgement& judgement) const;
  // What the question is about as typed: the word, or for a junction that
  // spans a word boundary the two words ("한 일"); what the working text
  // holds where the input is not known.
  std::u16string Subject() const;
  // The subject with "｜" where the junction's syllables meet ("서울｜역");
  // empty where it cannot be placed.
  std::u16string Marked() const;
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
  // The units of the pattern that meet: the last initial, and the last
  // final before it; npos for a pattern without them.
  std::size_t MeetingFinal() const;
  std::size_t MeetingInitial() const;
  // The line around the subject: "4文字目　새 ［목록을］ 봤다"; empty where
  // the line holds nothing else or the input is not known.
  std::u16string Position() const;
  // The word as typed, or as the working text holds it where the input is
  // not known.
  std::u16string TypedWordText() const;
  // At a junction as typed, the word from its start through the syllable
  // after the two that meet; otherwise empty.
  std::u16string Stretch() const;

  QuestionKind kind_;
  std::u16string_view jamo_;
  std::size_t at_;
  std::u16string_view pattern_;
  TypedInput* typed_;
  std::u16string_view readings_;
};

// Answers the questions: the window with a modal box, the command line with
// its answer policy, a dictionary, the tests with a script.
class Asker {
 public:
  virtual ~Asker() = default;
  // The answer with who gave it, told what a dictionary made of the question
  // (Unknown with no reason where none was consulted), so that one showing
  // it can offer the guess and the hanja. Any way of closing the question
  // other than Yes is No.
  virtual Answer Respond(const Question& question, const Judgement& guess) = 0;
  // The answer where it is certain without asking anyone (a dictionary that
  // decides); nullopt otherwise. A stage whose option is off takes only
  // these answers.
  virtual std::optional<Answer> Decide(const Question&) { return std::nullopt; }
  // Whether Decide() ever answers, so that a stage need not look for
  // questions that none would answer.
  virtual bool Decides() const { return false; }
};

// Answers every question the same way without showing it.
class FixedAsker : public Asker {
 public:
  explicit FixedAsker(bool answer) : answer_(answer) {}
  Answer Respond(const Question&, const Judgement& guess) override {
    return {answer_, Answerer::kPolicy, guess.reason};
  }

 private:
  bool answer_;
};

}  // namespace pimoru

#endif  // PIMORU_HANGUL_QUESTION_H_
