#include "lexicon/compound_lexicon.h"

#include <algorithm>
#include <optional>
#include <sstream>
#include <utility>

#include "hangul/conversion_error.h"
#include "hangul/file_access.h"
#include "hangul/jamo.h"
#include "hangul/utf.h"
#include "hangul/word_list.h"

namespace pimoru {
namespace {

// The medials before which an initial ㅇ can become ㄴ.
constexpr char16_t kNieunMedials[] = {med::kI,  med::kYa,  med::kYeo, med::kYo,
                                      med::kYu, med::kYae, med::kYe};

constexpr std::pair<std::u16string_view, JunctionTakes> kTakesNames[] = {
    {u"ㄴ", JunctionTakes::kInserted},
    {u"-", JunctionTakes::kNotInserted},
    {u"ㄴ/-", JunctionTakes::kEither},
};

constexpr std::pair<std::u16string_view, CompoundSource> kSourceNames[] = {
    {u"dictionary", CompoundSource::kDictionary},
    {u"rule", CompoundSource::kRule},
    {u"reviewed", CompoundSource::kReviewed},
    {u"user", CompoundSource::kUser},
};

template <typename T, std::size_t N>
std::optional<T> Named(const std::pair<std::u16string_view, T> (&names)[N],
                       std::u16string_view name) {
  for (const auto& [text, value] : names) {
    if (text == name) return value;
  }
  return std::nullopt;
}

std::vector<std::u16string_view> Cut(std::u16string_view text, char16_t by) {
  std::vector<std::u16string_view> pieces;
  std::size_t begin = 0;
  while (true) {
    const std::size_t end = text.find(by, begin);
    pieces.push_back(text.substr(begin, end - begin));
    if (end == std::u16string_view::npos) return pieces;
    begin = end + 1;
  }
}

// Builds the entry of one line, or says what is wrong with it.
class LineReader {
 public:
  LineReader(std::string_view source_name, std::size_t line)
      : source_name_(source_name), line_(line) {}

  CompoundEntry Read(std::u16string_view text) const {
    std::vector<std::u16string_view> fields = Cut(text, u'\t');
    if (fields.size() == 5 && fields[4].starts_with(u'#')) fields.pop_back();
    if (fields.size() != 4) {
      Fail("語・部分・挿入・出所の 4 つのフィールドがタブで区切られていません");
    }
    CompoundEntry entry;
    entry.word = fields[0];
    entry.parts = fields[1];
    const std::u16string_view word = fields[0];
    if (word.empty() || word.size() > CompoundLexicon::kMaxSyllables ||
        !std::all_of(word.begin(), word.end(), IsSyllable)) {
      Fail("語「" + Utf16ToUtf8(word) + "」はハングル " +
           std::to_string(CompoundLexicon::kMaxSyllables) +
           " 音節までの語ではありません");
    }
    const std::vector<std::u16string_view> parts = Cut(fields[1], u'+');
    std::u16string joined;
    for (const std::u16string_view part : parts) joined += part;
    if (joined != word || std::any_of(parts.begin(), parts.end(),
                                      [](auto part) { return part.empty(); })) {
      Fail("部分「" + Utf16ToUtf8(fields[1]) + "」をつなげても語「" +
           Utf16ToUtf8(word) + "」になりません");
    }
    // The syllables before the junctions that can take ㄴ.
    std::vector<std::size_t> ends;
    for (std::size_t k = 0, end = 0; k + 1 < parts.size(); ++k) {
      end += parts[k].size();
      if (CanTakeInsertedNieun(word[end - 1], word[end])) ends.push_back(end);
    }
    const std::vector<std::u16string_view> takes =
        fields[2].empty() ? std::vector<std::u16string_view>()
                          : Cut(fields[2], u',');
    if (takes.size() != ends.size()) {
      Fail("部分「" + Utf16ToUtf8(fields[1]) + "」の ㄴ が入りうる境目は " +
           std::to_string(ends.size()) + " つですが、挿入が " +
           std::to_string(takes.size()) + " つ書かれています");
    }
    for (std::size_t n = 0; n < ends.size(); ++n) {
      const std::optional<JunctionTakes> value = Named(kTakesNames, takes[n]);
      if (!value) {
        Fail("挿入の「" + Utf16ToUtf8(takes[n]) +
             "」は ㄴ、-、ㄴ/- のどれでもありません");
      }
      entry.junctions.push_back(
          {static_cast<std::uint8_t>(ends[n] - 1), *value});
    }
    const std::optional<CompoundSource> source = Named(kSourceNames, fields[3]);
    if (!source) {
      Fail("出所の「" + Utf16ToUtf8(fields[3]) +
           "」は dictionary、rule、reviewed、user のどれでもありません");
    }
    entry.source = *source;
    return entry;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    std::ostringstream message;
    message << source_name_ << " " << line_ << " 行目: " << what << "。";
    throw ConversionError(message.str());
  }

  std::string_view source_name_;
  std::size_t line_;
};

// The entries of one file, appended to `entries`; a message in `errors`
// instead when the file cannot be read or holds a bad line.
void LoadFile(const std::filesystem::path& path,
              std::vector<CompoundEntry>& entries,
              std::vector<std::string>& errors) {
  const auto unreadable = [&](std::string_view reason) {
    errors.push_back(path.string() + " を読めません。(" + std::string(reason) +
                     ")");
  };
  std::string bytes;
  if (const FileReadFailure failure =
          ReadRegularFile(path, CompoundLexicon::kMaxFileBytes, bytes)) {
    // No file adds nothing.
    if (failure.kind != FileReadFailure::Kind::kMissing) {
      unreadable(FileReadFailureText(failure));
    }
    return;
  }
  try {
    const std::string name = path.string();
    for (CompoundEntry& entry :
         CompoundLexicon::Parse(DecodeWordListBytes(bytes, name), name)) {
      entries.push_back(std::move(entry));
    }
  } catch (const ConversionError& e) {
    errors.push_back(e.what());
  }
}

}  // namespace

bool CanTakeInsertedNieun(char16_t before, char16_t after) {
  if (!IsSyllable(before) || !IsSyllable(after)) return false;
  const std::u16string left = DecomposeSyllable(before);
  const std::u16string right = DecomposeSyllable(after);
  return left.size() == 3 && right[0] == ini::kIeung &&
         std::find(std::begin(kNieunMedials), std::end(kNieunMedials),
                   right[1]) != std::end(kNieunMedials);
}

const JunctionTakes* CompoundEntry::TakesAfter(std::size_t at) const {
  for (const CompoundJunction& j : junctions) {
    if (j.after == at) return &j.takes;
  }
  return nullptr;
}

CompoundFiles FindCompoundFiles(const std::filesystem::path& data_folder,
                                const std::filesystem::path& user_folder) {
  const auto in = [](const std::filesystem::path& folder,
                     const std::filesystem::path& name) {
    return folder.empty() ? folder : folder / name;
  };
  return {in(data_folder, std::filesystem::path("lexicon") / "compounds.tsv"),
          in(user_folder, "compounds.tsv")};
}

std::vector<CompoundEntry> CompoundLexicon::Parse(
    std::u16string_view text, std::string_view source_name) {
  std::vector<CompoundEntry> entries;
  std::size_t number = 0;
  for (const std::u16string& line : SplitLines(text)) {
    ++number;
    if (line.empty() || line.starts_with(u'#')) continue;
    entries.push_back(LineReader(source_name, number).Read(line));
  }
  return entries;
}

CompoundLexicon CompoundLexicon::Load(const CompoundFiles& files) {
  std::vector<CompoundEntry> entries;
  std::vector<std::string> errors;
  LoadFile(files.shipped, entries, errors);
  LoadFile(files.user, entries, errors);
  CompoundLexicon lexicon(std::move(entries));
  lexicon.errors_ = std::move(errors);
  return lexicon;
}

CompoundLexicon::CompoundLexicon(std::vector<CompoundEntry> entries)
    : entries_(std::move(entries)) {
  // Stable, so that of the entries of one word the last comes last; it
  // alone is kept.
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const CompoundEntry& a, const CompoundEntry& b) {
                     return a.word < b.word;
                   });
  std::vector<CompoundEntry> kept;
  kept.reserve(entries_.size());
  for (std::size_t k = 0; k < entries_.size(); ++k) {
    if (k + 1 < entries_.size() && entries_[k + 1].word == entries_[k].word) {
      continue;
    }
    kept.push_back(std::move(entries_[k]));
  }
  entries_ = std::move(kept);
}

const CompoundEntry* CompoundLexicon::Find(std::u16string_view word) const {
  const auto it =
      std::lower_bound(entries_.begin(), entries_.end(), word,
                       [](const CompoundEntry& e, std::u16string_view key) {
                         return e.word < key;
                       });
  return it != entries_.end() && it->word == word ? &*it : nullptr;
}

const CompoundEntry* CompoundLexicon::LongestAtStart(
    std::u16string_view text) const {
  for (std::size_t size = std::min(text.size(), kMaxSyllables); size >= 2;
       --size) {
    if (const CompoundEntry* entry = Find(text.substr(0, size))) return entry;
  }
  return nullptr;
}

std::size_t CompoundLexicon::Bytes() const {
  std::size_t bytes = entries_.capacity() * sizeof(CompoundEntry);
  for (const CompoundEntry& e : entries_) {
    bytes += (e.word.capacity() + e.parts.capacity()) * sizeof(char16_t) +
             e.junctions.capacity() * sizeof(CompoundJunction);
  }
  return bytes;
}

}  // namespace pimoru
