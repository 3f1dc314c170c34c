// A question as the dictionary reads it: its kind, the word as typed, the
// syllable of the word it is about and the word after it on the line.
#ifndef PIMORU_LEXICON_WORD_QUESTION_H_
#define PIMORU_LEXICON_WORD_QUESTION_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "hangul/question.h"

namespace pimoru {

// The syllable is, at a junction, the one with the final, otherwise the one
// with the ㄹ in question.
struct WordQuestion {
  QuestionKind kind = QuestionKind::kNInsertion;
  std::u16string_view word;
  std::size_t at = 0;
  std::u16string_view next_word;
};

// The parts of a Question the dictionary reads, viewing `word` and
// `next_word`; nullopt where the input as typed is not known or the place
// falls outside a word.
std::optional<WordQuestion> ReadQuestion(const Question& question,
                                         std::u16string& word,
                                         std::u16string& next_word);

}  // namespace pimoru

#endif  // PIMORU_LEXICON_WORD_QUESTION_H_
