#include "hangul/question.h"

#include <algorithm>
#include <utility>

#include "hangul/jamo.h"

namespace pimoru {
namespace {

constexpr std::u16string_view kLineBreak = u"\n";

// The message of a question about the junction of two syllables.
std::u16string JunctionMessage(std::u16string_view title,
                               std::u16string_view pair,
                               std::u16string_view kind, char16_t final_jamo,
                               char16_t initial_jamo) {
  std::u16string message(title);
  message += kLineBreak;
  message += pair;
  message += u"は";
  message += kind;
  message += u"ですか？";
  message += kind;
  message += u"で";
  message += CompatibilityJamo(final_jamo);
  message += u"パッチムの後ろに";
  message += CompatibilityJamo(initial_jamo);
  message += u"初声が来た場合、";
  message += title;
  message += u"します。";
  return message;
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

std::u16string Question::Message() const {
  return MessageShowing(AtJunction(kind_) ? JunctionPair() : CurrentWord());
}

std::u16string Question::Message(const Judgement& judgement) const {
  if (judgement.hanja.empty() || judgement.word.empty()) return Message();
  std::u16string word = judgement.word;
  word += u'(';
  word += judgement.hanja;
  word += u')';
  return MessageShowing(word);
}

std::u16string Question::MessageShowing(std::u16string_view shown) const {
  const QuestionKindInfo& info = InfoOf(kind_);
  if (info.at_junction) {
    if (pattern_.size() < 2) return std::u16string(info.title);
    return JunctionMessage(info.title, shown, info.wording, pattern_[0],
                           pattern_[JunctionInitial()]);
  }
  if (!readings_.empty()) {
    std::u16string place(shown);
    place += u'（';
    place += readings_;
    place += u'）';
    return OccurrenceMessage(info.title, place, info.wording);
  }
  return OccurrenceMessage(info.title, shown, info.wording);
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
  return asked;
}

std::u16string OccurrenceMessage(std::u16string_view title,
                                 std::u16string_view word,
                                 std::u16string_view question) {
  std::u16string message(title);
  message += kLineBreak;
  message += u' ';
  message += word;
  message += question;
  return message;
}

}  // namespace pimoru
