#include "hangul/question.h"

#include <algorithm>
#include <utility>

#include "hangul/jamo.h"

namespace pimoru {
namespace {

constexpr std::u16string_view kLineBreak = u"\n";
// Where the two syllables of a junction meet, in a word as shown.
constexpr std::u16string_view kMeeting = u"｜";
// How much of the line is shown on each side of the word.
constexpr std::size_t kAround = 8;
constexpr std::size_t npos = std::u16string_view::npos;

std::u16string Decimal(std::size_t number) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + number % 10));
    number /= 10;
  } while (number > 0);
  return digits;
}

// A stretch of the line as shown: conjoining jamo typed as such are the
// syllables they spell, and what would break the message's lines is a
// space.
std::u16string OnOneLine(std::u16string_view text) {
  std::size_t lead = 0;
  while (lead < text.size() && text[lead] <= u' ') ++lead;
  std::size_t trail = 0;
  while (trail < text.size() - lead && text[text.size() - 1 - trail] <= u' ') {
    ++trail;
  }
  std::u16string shown(text.substr(0, lead));
  shown += ComposeText(text);
  shown += text.substr(text.size() - trail);
  for (char16_t& c : shown) {
    if (c < u' ') c = u' ';
  }
  return shown;
}

constexpr bool IsWordLetter(char16_t c) { return IsSyllable(c) || IsJamo(c); }

// A text as shown to the user: a word boundary is a space.
std::u16string Shown(std::u16string text) {
  std::replace(text.begin(), text.end(), kWordBoundary, u' ');
  return text;
}

}  // namespace

std::optional<QuestionKind> QuestionKindNamed(std::string_view name) {
  for (const QuestionKindInfo& info : kQuestionKinds) {
    if (info.name == name) return info.kind;
  }
  return std::nullopt;
}

void TypedInput::Respell(std::u16string syllables,
                         std::vector<std::uint32_t> typed) {
  respelled_ = std::move(syllables);
  respelled_typed_ = std::move(typed);
  mapped_ = false;
  syllables_.clear();
  same_start_ = same_end_ = 0;
  cursor_text_ = nullptr;
}

char16_t TypedInput::ReferenceSyllable(std::size_t k) const {
  return respelled_.empty() ? input_[syllables_[k]] : respelled_[k];
}

std::uint32_t TypedInput::TypedIndex(std::size_t k) const {
  return respelled_.empty() ? static_cast<std::uint32_t>(k)
                            : respelled_typed_[k];
}

void TypedInput::Map(std::u16string_view jamo) {
  mapped_ = true;
  for (std::size_t i = 0; i < input_.size(); ++i) {
    if (IsSyllable(input_[i]) || IsInitial(input_[i])) {
      syllables_.push_back(static_cast<std::uint32_t>(i));
    }
  }
  reference_count_ = respelled_.empty() ? syllables_.size() : respelled_.size();
  // Each initial begins a syllable; only where the counts differ are the
  // syllables composed to be matched.
  working_count_ = static_cast<std::size_t>(
      std::count_if(jamo.begin(), jamo.end(), IsInitial));
  if (working_count_ == reference_count_) {
    same_start_ = working_count_;
    return;
  }
  std::u16string working;  // the working text's syllables, composed
  for (std::size_t i = 0; i < jamo.size(); ++i) {
    if (!IsInitial(jamo[i])) continue;
    std::size_t end = i + 1;
    if (end < jamo.size() && IsMedial(jamo[end])) {
      ++end;
      if (end < jamo.size() && IsFinal(jamo[end])) ++end;
    }
    working += ComposeGroup(jamo.substr(i, end - i));
  }
  const std::size_t shorter = std::min(working_count_, reference_count_);
  while (same_start_ < shorter &&
         ReferenceSyllable(same_start_) == working[same_start_]) {
    ++same_start_;
  }
  while (same_start_ + same_end_ < shorter &&
         ReferenceSyllable(reference_count_ - 1 - same_end_) ==
             working[working_count_ - 1 - same_end_]) {
    ++same_end_;
  }
}

std::size_t TypedInput::ReferenceIndex(std::size_t k) const {
  if (k < same_start_) return k;
  if (k >= working_count_ - same_end_) {
    return k - working_count_ + reference_count_;
  }
  return std::min(same_start_, reference_count_ - 1);
}

std::size_t TypedInput::SyllableOffset(std::u16string_view jamo,
                                       std::size_t at) {
  if (!mapped_) Map(jamo);
  if (cursor_text_ != jamo.data() || cursor_size_ != jamo.size() ||
      at < cursor_at_) {
    cursor_text_ = jamo.data();
    cursor_size_ = jamo.size();
    cursor_at_ = 0;
    cursor_count_ = 0;
  }
  at = std::min(at, jamo.size());
  for (; cursor_at_ < at; ++cursor_at_) {
    if (IsInitial(jamo[cursor_at_])) ++cursor_count_;
  }
  std::size_t k = cursor_count_;  // the syllable that begins at or after
  if (at < jamo.size() && (IsMedial(jamo[at]) || IsFinal(jamo[at])) && k > 0) {
    --k;  // a medial or final belongs to the syllable begun before it
  }
  if (k >= working_count_ || reference_count_ == 0) {
    return std::u16string_view::npos;
  }
  const std::uint32_t typed = TypedIndex(ReferenceIndex(k));
  if (typed >= syllables_.size()) return std::u16string_view::npos;
  return syllables_[typed];
}

TypedSpan TypedInput::WordAround(std::size_t offset) const {
  if (offset >= input_.size() || !IsWordLetter(input_[offset])) {
    return {offset, 0};
  }
  const std::size_t first = offset - std::min(offset, kWordReach);
  const std::size_t last = std::min(input_.size(), offset + 1 + kWordReach);
  std::size_t begin = offset;
  while (begin > first && IsWordLetter(input_[begin - 1])) --begin;
  std::size_t end = offset + 1;
  while (end < last && IsWordLetter(input_[end])) ++end;
  return {begin, end - begin};
}

std::u16string Question::CurrentWord() const {
  if (!readings_.empty()) return std::u16string(pattern_);
  return Shown(ComposeText(WordAt(jamo_, at_)));
}

std::size_t Question::JunctionInitial() const {
  return pattern_.size() > 2 && pattern_[1] == kWordBoundary ? 2 : 1;
}

std::u16string Question::JunctionPair() const {
  if (pattern_.size() < 2) return std::u16string();
  const std::size_t initial = JunctionInitial();
  return SyllableWithFinal(jamo_, at_, pattern_[0]) +
         (initial == 2 ? u" " : u"") +
         SyllableWithInitial(jamo_, at_ + initial, pattern_[initial]);
}

std::u16string_view Question::TypedLine() const {
  return typed_ != nullptr ? typed_->line() : std::u16string_view();
}

std::size_t Question::TypedSyllable(std::size_t k) const {
  if (typed_ == nullptr) return std::u16string_view::npos;
  return typed_->SyllableOffset(jamo_, at_ + k);
}

TypedSpan Question::TypedWord() const {
  const std::size_t syllable = TypedSyllable(0);
  if (syllable == std::u16string_view::npos) return {};
  return typed_->WordAround(syllable);
}

std::size_t Question::MeetingInitial() const {
  for (std::size_t k = pattern_.size(); k-- > 0;) {
    if (IsInitial(pattern_[k])) return k;
  }
  return npos;
}

std::size_t Question::MeetingFinal() const {
  const std::size_t initial = MeetingInitial();
  if (initial == npos) return npos;
  for (std::size_t k = initial; k-- > 0;) {
    if (IsFinal(pattern_[k])) return k;
  }
  return npos;
}

std::u16string Question::Subject() const {
  const TypedSpan word = TypedWord();
  if (word.length == 0) return CurrentWord();
  std::size_t end = word.offset + word.length;
  if (AtJunction(kind_)) {
    // Across a word boundary, the word after it too.
    const std::size_t second = TypedSyllable(JunctionInitial());
    if (second != npos && second >= end) {
      const TypedSpan next = typed_->WordAround(second);
      end = std::max(end, next.offset + next.length);
    }
  }
  return OnOneLine(TypedLine().substr(word.offset, end - word.offset));
}

std::u16string Question::Marked() const {
  const std::size_t final_unit = MeetingFinal();
  if (final_unit == npos) return std::u16string();
  const std::size_t initial_unit = MeetingInitial();
  const TypedSpan word = TypedWord();
  if (word.length == 0) {
    // Only the working text: its two syllables as they stand.
    return Shown(
        SyllableWithFinal(jamo_, at_ + final_unit, pattern_[final_unit]) +
        std::u16string(kMeeting) +
        SyllableWithInitial(jamo_, at_ + initial_unit, pattern_[initial_unit]));
  }
  const std::size_t first = TypedSyllable(final_unit);
  const std::size_t second = TypedSyllable(initial_unit);
  if (first == npos || second == npos || second <= first ||
      first < word.offset) {
    return std::u16string();
  }
  const std::u16string_view line = TypedLine();
  const TypedSpan last = typed_->WordAround(second);
  const std::size_t end =
      std::max(word.offset + word.length, last.offset + last.length);
  // The bar takes the place of a space between the two.
  std::size_t left_end = second;
  while (left_end > first + 1 && !IsWordLetter(line[left_end - 1])) {
    --left_end;
  }
  return OnOneLine(line.substr(word.offset, left_end - word.offset)) +
         std::u16string(kMeeting) +
         OnOneLine(line.substr(second, end - second));
}

std::u16string Question::Position() const {
  const TypedSpan word = TypedWord();
  if (word.length == 0) return std::u16string();
  const std::u16string_view line = TypedLine();
  const std::u16string subject = Subject();
  const std::size_t begin = word.offset;
  const std::size_t end = std::min(line.size(), begin + subject.size());
  if (Trim(line.substr(0, begin)).empty() && Trim(line.substr(end)).empty()) {
    return std::u16string();  // the line is the word
  }
  std::size_t from = begin > kAround ? begin - kAround : 0;
  std::size_t to = std::min(line.size(), end + kAround);
  // Never half a character outside the basic plane.
  if (from > 0 && from < line.size() && line[from] >= 0xDC00 &&
      line[from] <= 0xDFFF) {
    ++from;
  }
  if (to < line.size() && to > end && line[to - 1] >= 0xD800 &&
      line[to - 1] <= 0xDBFF) {
    --to;
  }
  std::u16string text = Decimal(begin + 1) + u"文字目　";
  if (from > 0) text += u"…";
  text += OnOneLine(line.substr(from, begin - from));
  text += u"［" + subject + u"］";
  text += OnOneLine(line.substr(end, to - end));
  if (to < line.size()) text += u"…";
  return text;
}

std::u16string Question::Message() const { return Message(Judgement{}); }

std::u16string Question::Message(const Judgement& judgement) const {
  const QuestionKindInfo& info = InfoOf(kind_);
  const std::u16string subject = Subject();
  std::u16string message = u"【";
  message += info.title;
  message += u"】";
  message += kLineBreak;
  message += u"「" + subject + u"」";
  if (!readings_.empty()) message += u"（" + std::u16string(readings_) + u"）";
  if (!judgement.hanja.empty() && !judgement.word.empty()) {
    message += u"（";
    if (judgement.word != subject) message += judgement.word + u"＝";
    message += judgement.hanja + u"）";
  }
  if (info.at_junction) {
    message += u"は";
    message += info.wording;
    message += u"ですか？";
  } else {
    message += info.wording;
  }
  const std::size_t final_unit = MeetingFinal();
  if (final_unit != npos) {
    const char16_t final_letter = CompatibilityJamo(pattern_[final_unit]);
    const char16_t initial_letter =
        CompatibilityJamo(pattern_[MeetingInitial()]);
    const std::u16string marked = Marked();
    if (!marked.empty()) {
      message += kLineBreak;
      message += u"　" + marked + u"（" + final_letter + u"パッチム＋" +
                 initial_letter + u"初声）";
    }
    if (info.at_junction) {
      message += kLineBreak;
      message += info.wording;
      message += u"で";
      message += final_letter;
      message += u"パッチムの後ろに";
      message += initial_letter;
      message += u"初声が来た場合、";
      message += info.title;
      message += u"します。";
    }
  }
  const std::u16string position = Position();
  if (!position.empty()) {
    message += kLineBreak;
    message += u"位置：" + position;
  }
  if (!judgement.reason.empty() || !judgement.hanja.empty()) {
    message += kLineBreak;
    // A stage that guesses itself guesses from what stands around.
    message += info.unasked_takes_guess ? u"前後からの推測：" : u"辞書の推測：";
    message += judgement.guess ? u"はい" : u"いいえ";
    if (!judgement.reason.empty()) message += u"（" + judgement.reason + u"）";
  }
  return message;
}

std::u16string Question::TypedPlace() const {
  const std::u16string_view line = TypedLine();
  if (AtJunction(kind_)) {
    const std::size_t first = TypedSyllable(0);
    const std::size_t second = TypedSyllable(1);
    if (first == std::u16string_view::npos ||
        second == std::u16string_view::npos) {
      return JunctionPair();
    }
    std::u16string pair(1, line[first]);
    if (second != first) pair += line[second];
    return pair;
  }
  return TypedWordText();
}

std::u16string Question::TypedWordText() const {
  const TypedSpan word = TypedWord();
  if (word.length == 0) return CurrentWord();
  return std::u16string(TypedLine().substr(word.offset, word.length));
}

RecordedQuestion Question::Record(Answer answer) const {
  RecordedQuestion asked;
  asked.kind = kind_;
  asked.word = TypedWordText();
  if (AtJunction(kind_)) asked.pair = TypedPlace();
  asked.answer = std::move(answer);
  asked.marked = Marked();
  asked.stretch = Stretch();
  return asked;
}

std::u16string Question::Stretch() const {
  if (!AtJunction(kind_)) return std::u16string();
  const TypedSpan word = TypedWord();
  const std::size_t initial_unit = MeetingInitial();
  if (word.length == 0 || initial_unit == npos) return std::u16string();
  const std::size_t second = TypedSyllable(initial_unit);
  if (second == npos || second < word.offset) return std::u16string();
  // One syllable more, where the word holding the second goes on.
  const TypedSpan last = typed_->WordAround(second);
  const std::size_t end =
      std::max(second + 1, std::min(second + 2, last.offset + last.length));
  return OnOneLine(TypedLine().substr(word.offset, end - word.offset));
}

}  // namespace pimoru
