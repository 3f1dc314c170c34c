#include "lexicon/system_dictionary.h"

#include <cstdlib>
#include <string_view>
#include <system_error>
#include <thread>
#include <utility>

#include "lexicon/judging.h"

namespace pimoru {
namespace {

std::filesystem::path FromEnvironment(const char* name, std::string_view suffix,
                                      const std::filesystem::path& fallback) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return fallback;
  return std::string(value) + std::string(suffix);
}

// Where the Debian packages put the files, and where a local install would.
constexpr const char* kHanjaPlaces[] = {
    "/usr/share/libhangul/hanja/hanja.txt",
    "/usr/local/share/libhangul/hanja/hanja.txt",
};
constexpr const char* kLexiconPlaces[] = {
    "/usr/share/hunspell/ko_KR",
    "/usr/share/hunspell/ko",
    "/usr/share/myspell/dicts/ko_KR",
    "/usr/local/share/hunspell/ko_KR",
};

template <std::size_t N>
std::string FirstThere(const char* const (&places)[N],
                       std::string_view suffix) {
  for (const char* place : places) {
    std::error_code ec;
    const std::string path = std::string(place) + std::string(suffix);
    if (std::filesystem::exists(path, ec)) return path;
  }
  return std::string(places[0]) + std::string(suffix);
}

}  // namespace

DictionaryFiles FindDictionaryFiles() {
  DictionaryFiles files;
  files.hanja =
      FromEnvironment("PIMORU_HANJA_FILE", "", FirstThere(kHanjaPlaces, ""));
  files.affix = FromEnvironment("PIMORU_LEXICON", ".aff",
                                FirstThere(kLexiconPlaces, ".aff"));
  files.words = FromEnvironment("PIMORU_LEXICON", ".dic",
                                FirstThere(kLexiconPlaces, ".dic"));
  return files;
}

bool SystemDictionary::FilesThere() const {
  std::error_code ec;
  return std::filesystem::exists(files_.hanja, ec) &&
         std::filesystem::exists(files_.affix, ec) &&
         std::filesystem::exists(files_.words, ec);
}

bool SystemDictionary::Load() const {
  std::call_once(loaded_, [this] {
    // The two files load side by side; the lexicon takes the longer.
    std::thread lexicon(
        [this] { forms_ = WordForms::Open(files_.affix, files_.words); });
    hanja_ = HanjaDictionary::FromFile(files_.hanja);
    if (hanja_ && hanja_->size() == 0) hanja_.reset();
    lexicon.join();
  });
  return hanja_.has_value() && forms_ != nullptr;
}

std::string SystemDictionary::Status() const {
  Load();
  std::string status;
  if (hanja_) {
    status += "hanja dictionary " + files_.hanja.string() + " (" +
              std::to_string(hanja_->size()) + " entries)";
  } else {
    status += "hanja dictionary missing (" + files_.hanja.string() + ")";
  }
  status += "; ";
  if (forms_) {
    status += "lexicon " + files_.affix.string();
  } else {
    status += "lexicon missing (" + files_.affix.string() + ")";
  }
  return status;
}

Judgement SystemDictionary::Judge(const WordQuestion& question) const {
  if (!Load()) return {};
  return JudgeWord({*hanja_, *forms_}, question);
}

Judgement SystemDictionary::Judge(const Question& question) const {
  std::u16string word;
  std::u16string next_word;
  const std::optional<WordQuestion> q = ReadQuestion(question, word, next_word);
  if (!q) return {};
  return Judge(*q);
}

std::unique_ptr<Dictionary> MakeDictionary() {
  return std::make_unique<SystemDictionary>(FindDictionaryFiles());
}

}  // namespace pimoru
