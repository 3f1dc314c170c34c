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

bool SystemDictionary::Load() const {
  std::call_once(loaded_, [this] {
    // The two files load side by side; the lexicon takes the longer.
    std::thread lexicon([this] {
      forms_ = WordForms::Open(files_.affix, files_.words, &lexicon_problem_);
    });
    hanja_ = HanjaDictionary::FromFile(files_.hanja, &hanja_problem_);
    if (hanja_ && hanja_->size() == 0) {
      hanja_.reset();
      hanja_problem_ = files_.hanja.string() + ": 漢字語の項目がありません";
    }
    compounds_ = CompoundLexicon::Load(files_.compounds);
    lexicon.join();
    loaded_files_.store(true, std::memory_order_release);
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
    status += "hanja dictionary missing (" + hanja_problem_ + ")";
  }
  status += "; ";
  if (forms_) {
    status += "lexicon " + files_.affix.string();
  } else {
    status += "lexicon missing (" + lexicon_problem_ + ")";
  }
  if (!files_.compounds.shipped.empty()) {
    std::error_code ec;
    status += "; compound lexicon " + files_.compounds.shipped.string();
    if (std::filesystem::exists(files_.compounds.user, ec)) {
      status += " and " + files_.compounds.user.string();
    }
    status += " (" + std::to_string(compounds_.size()) + " entries";
    if (!compounds_.errors().empty()) {
      status += ", " + std::to_string(compounds_.errors().size()) +
                " file(s) with errors";
    }
    status += ")";
  }
  return status;
}

std::vector<std::string> SystemDictionary::Problems() const {
  if (!loaded_files_.load(std::memory_order_acquire)) return {};
  return compounds_.errors();
}

Judgement SystemDictionary::Judge(const WordQuestion& question) const {
  if (!Load()) return {};
  return JudgeWord({*hanja_, *forms_, compounds_}, question);
}

Judgement SystemDictionary::Judge(const Question& question) const {
  std::u16string word;
  std::u16string next_word;
  const std::optional<WordQuestion> q = ReadQuestion(question, word, next_word);
  if (!q) return {};
  return Judge(*q);
}

std::unique_ptr<Dictionary> MakeDictionary(
    const std::filesystem::path& program_folder,
    const std::filesystem::path& user_folder) {
  DictionaryFiles files = FindDictionaryFiles();
  files.compounds = FindCompoundFiles(program_folder, user_folder);
  return std::make_unique<SystemDictionary>(std::move(files));
}

}  // namespace pimoru
