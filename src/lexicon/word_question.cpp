#include "lexicon/word_question.h"

#include "hangul/jamo.h"

namespace pimoru {
namespace {

// The word that follows offset `end` of a line after spaces; empty where
// anything else comes first.
std::u16string_view NextWord(std::u16string_view line, std::size_t end) {
  while (end < line.size() && !IsSyllable(line[end])) {
    if (line[end] != u' ') return {};  // punctuation ends the phrase
    ++end;
  }
  std::size_t stop = end;
  while (stop < line.size() && IsSyllable(line[stop])) ++stop;
  return line.substr(end, stop - end);
}

}  // namespace

std::optional<WordQuestion> ReadQuestion(const Question& question,
                                         std::u16string& word,
                                         std::u16string& next_word) {
  const std::u16string_view line = question.TypedLine();
  const TypedSpan span = question.TypedWord();
  if (line.empty() || span.length == 0) return std::nullopt;
  // The syllable the question is about: the one with the final at a
  // junction or for a word-question whose pattern starts with its ㄹ or ㄴ;
  // for a listed ending, the one with the ㄹ that ends it.
  std::size_t unit = 0;
  const std::u16string_view pattern = question.pattern();
  if (question.kind() == QuestionKind::kListedEnding) {
    for (std::size_t k = 0; k + 1 < pattern.size(); ++k) {
      if (IsFinal(pattern[k])) unit = k;
    }
  }
  const std::size_t at = question.TypedSyllable(unit);
  if (at == std::u16string_view::npos || at < span.offset ||
      at >= span.offset + span.length) {
    return std::nullopt;
  }
  word.assign(line.substr(span.offset, span.length));
  next_word.assign(NextWord(line, span.offset + span.length));
  WordQuestion q;
  q.kind = question.kind();
  q.word = word;
  q.at = at - span.offset;
  q.next_word = next_word;
  return q;
}

}  // namespace pimoru
