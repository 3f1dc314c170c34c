// The dictionary of the system's files: the Sino-Korean words of a hanja
// dictionary and a lexicon of Korean word forms, found where the system's
// packages install them, and read once, at the first question or when a
// caller asks for it.
#ifndef PIMORU_LEXICON_SYSTEM_DICTIONARY_H_
#define PIMORU_LEXICON_SYSTEM_DICTIONARY_H_

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "hangul/question.h"
#include "lexicon/dictionary.h"
#include "lexicon/hanja_dictionary.h"
#include "lexicon/word_forms.h"
#include "lexicon/word_question.h"

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

class SystemDictionary : public Dictionary {
 public:
  explicit SystemDictionary(DictionaryFiles files) : files_(std::move(files)) {}

  bool Built() const override { return true; }
  bool FilesThere() const override;
  bool Load() const override;
  std::string Status() const override;

  // Unknown, with no reason, where the files could not be read.
  Judgement Judge(const Question& question) const override;
  Judgement Judge(const WordQuestion& question) const;

 private:
  DictionaryFiles files_;
  mutable std::once_flag loaded_;
  mutable std::optional<HanjaDictionary> hanja_;
  mutable std::unique_ptr<WordForms> forms_;
};

}  // namespace pimoru

#endif  // PIMORU_LEXICON_SYSTEM_DICTIONARY_H_
