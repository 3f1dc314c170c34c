// The dictionary that answers the questions it can: the Sino-Korean words
// of a hanja dictionary and a lexicon of Korean word forms, read at run
// time from the files of the system's packages, and loaded once, at the
// first question or when a caller asks for it (the window, in the
// background at start-up).
#ifndef PIMORU_LEXICON_DICTIONARY_H_
#define PIMORU_LEXICON_DICTIONARY_H_

#include <cstddef>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "hangul/question.h"
#include "hangul/word_knowledge.h"
#include "lexicon/hanja_dictionary.h"
#include "lexicon/word_forms.h"

namespace pimoru {

// Where the dictionary's files are.
struct DictionaryFiles {
  std::filesystem::path hanja;  // lines "hangul:hanja:gloss"
  std::filesystem::path affix;  // the lexicon's affix file
  std::filesystem::path words;  // and its word file
};

// The files the system's packages install, unless the environment names
// others: PIMORU_HANJA_FILE the hanja dictionary, PIMORU_LEXICON the
// lexicon's two files without their extensions (".../ko_KR").
DictionaryFiles FindDictionaryFiles();

// A question as the dictionary reads it: its kind and stage, the word as
// typed, the syllable of the word it is about (at a junction the one with
// the final, otherwise the one with the ㄹ in question) and the word after
// it on the line.
struct WordQuestion {
  QuestionKind kind = QuestionKind::kSinoKorean;
  int slot = 0;
  std::u16string_view word;
  std::size_t at = 0;
  std::u16string_view next_word;
};

// The parts of a Question the dictionary reads; nullopt where the input as
// typed is not known or the place falls outside a word.
std::optional<WordQuestion> ReadQuestion(const Question& question,
                                         std::u16string& word,
                                         std::u16string& next_word);

class Dictionary : public WordKnowledge {
 public:
  explicit Dictionary(DictionaryFiles files) : files_(std::move(files)) {}

  // Loads the files unless that was done; safe from any thread, and the
  // files are read once. Returns whether both could be read.
  bool Load() const;
  // One line saying what was loaded, or which file could not be and why;
  // loads first.
  std::string Status() const;
  // The memory the loaded hanja dictionary holds, in bytes.
  std::size_t HanjaBytes() const;

  // Unknown, with no reason, where the files could not be read.
  Judgement Judge(const Question& question) const override;
  Judgement Judge(const WordQuestion& question) const;

 private:
  DictionaryFiles files_;
  mutable std::once_flag loaded_;
  mutable std::optional<HanjaDictionary> hanja_;
  mutable std::unique_ptr<WordForms> forms_;
  // Why each could not be loaded ("PATH: フォルダです"), for Status.
  mutable std::string hanja_problem_;
  mutable std::string lexicon_problem_;
};

// The dictionary of the system's files; nothing is read before the first
// question or Load().
std::shared_ptr<Dictionary> MakeDictionary();

}  // namespace pimoru

#endif  // PIMORU_LEXICON_DICTIONARY_H_
