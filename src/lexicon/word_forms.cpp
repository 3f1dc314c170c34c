#include "lexicon/word_forms.h"

#include <algorithm>
#include <charconv>
#include <hunspell/hunspell.hxx>

#include "hangul/file_access.h"
#include "hangul/utf.h"

namespace pimoru {
namespace {

const AffixClass* ClassOf(int affix_class) {
  for (const AffixClass& c : kAffixClasses) {
    if (affix_class >= c.first && affix_class <= c.last) return &c;
  }
  return nullptr;
}

// One line of the analyser's output: " st:하다 fl:150". A line with parts
// of a compound ("pa:") is a guess at a word the lexicon does not hold.
bool ParseAnalysis(std::string_view line, WordReading& reading) {
  bool has_stem = false;
  std::size_t begin = 0;
  while (begin < line.size()) {
    std::size_t end = line.find(' ', begin);
    if (end == std::string_view::npos) end = line.size();
    const std::string_view field = line.substr(begin, end - begin);
    begin = end + 1;
    if (field.starts_with("pa:")) return false;
    if (field.starts_with("st:")) {
      reading.stem = Utf8ToUtf16Lossy(field.substr(3));
      has_stem = !reading.stem.empty();
    } else if (field.starts_with("fl:")) {
      const std::string_view number = field.substr(3);
      std::from_chars(number.data(), number.data() + number.size(),
                      reading.affix_class);
    }
  }
  reading.kind = KindOfAffix(reading.affix_class);
  return has_stem;
}

// Whether a word file begins (after a byte-order mark) with its count of
// words, a number above 0, as the analyser requires.
bool BeginsWithCount(std::string_view start) {
  if (start.starts_with("\xEF\xBB\xBF")) start.remove_prefix(3);
  int count = 0;
  const auto [end, error] =
      std::from_chars(start.data(), start.data() + start.size(), count);
  return error == std::errc() && end != start.data() && count > 0;
}

}  // namespace

FormKind KindOfAffix(int affix_class) {
  if (const AffixClass* c = ClassOf(affix_class)) return c->kind;
  if (affix_class >= kFirstEnding && affix_class <= kLastEnding) {
    return FormKind::kEnding;
  }
  return FormKind::kBare;
}

std::u16string_view NameOfAffix(int affix_class) {
  const AffixClass* c = ClassOf(affix_class);
  return c != nullptr ? c->affix : std::u16string_view();
}

WordForms::WordForms(std::unique_ptr<Hunspell> hunspell)
    : hunspell_(std::move(hunspell)) {}

WordForms::~WordForms() = default;

std::unique_ptr<WordForms> WordForms::Open(const std::filesystem::path& affix,
                                           const std::filesystem::path& words,
                                           std::string* why) {
  // The analyser reads the files without saying whether it could, and
  // would wait on a FIFO and read a device or a huge file to its end: the
  // files are checked first, and handed over as the very files checked.
  const ReadableFile affix_file(affix, kFileLimit);
  ReadableFile words_file(words, kFileLimit);
  std::string start;
  FileReadFailure failure = affix_file.failure();
  const std::filesystem::path& at_fault = failure ? affix : words;
  if (!failure) failure = words_file.ReadStart(32, start);
  std::string problem;
  if (failure) {
    problem = FileReadFailureText(failure);
  } else if (!BeginsWithCount(start)) {
    problem = "語数で始まっていません";
  }
  if (!problem.empty()) {
    if (why != nullptr) *why = at_fault.string() + ": " + problem;
    return nullptr;
  }
  auto hunspell = std::make_unique<Hunspell>(affix_file.OpenedName().c_str(),
                                             words_file.OpenedName().c_str());
  return std::unique_ptr<WordForms>(new WordForms(std::move(hunspell)));
}

std::vector<WordReading> WordForms::AnalyseLocked(
    std::u16string_view word) const {
  std::vector<WordReading> readings;
  for (const std::string& line : hunspell_->analyze(Utf16ToUtf8(word))) {
    WordReading reading;
    if (!ParseAnalysis(line, reading)) return {};
    if (std::find(readings.begin(), readings.end(), reading) ==
        readings.end()) {
      readings.push_back(std::move(reading));
    }
  }
  return readings;
}

std::vector<WordReading> WordForms::Analyse(std::u16string_view word) const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return AnalyseLocked(word);
}

std::shared_ptr<const std::vector<WordReading>> WordForms::Readings(
    std::u16string_view word) const {
  std::u16string key(word);
  const std::lock_guard<std::mutex> lock(mutex_);
  if (const auto kept = kept_.find(key); kept != kept_.end()) {
    return kept->second;
  }
  auto readings =
      std::make_shared<const std::vector<WordReading>>(AnalyseLocked(word));
  if (kept_.size() >= kKeptWords) kept_.clear();
  kept_.emplace(std::move(key), readings);
  return readings;
}

}  // namespace pimoru
