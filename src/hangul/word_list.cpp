#include "hangul/word_list.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>
#include <system_error>
#include <utility>

#include "hangul/jamo.h"
#include "hangul/utf.h"

namespace pimoru {
namespace {

constexpr bool IsBlank(char16_t c) { return c >= 0x0001 && c <= 0x0020; }

// How many fields a line of each list needs, and whether that is exact.
struct Shape {
  std::size_t fields;
  bool exact;
};

Shape ShapeOf(WordListId id) {
  switch (id) {
    case WordListId::kCoSuff:
      return {4, false};
    case WordListId::kKSpecial:
      return {3, true};
    case WordListId::kWi3Var:
      return {1, false};
    case WordListId::kKanBion:
      return {3, true};
    case WordListId::kSetsubi:
      return {2, true};
    case WordListId::kRiulPat:
      return {2, true};
    case WordListId::kRiulFuture:
      return {3, true};
  }
  return {0, false};
}

std::u16string HashesToSpaces(std::u16string text) {
  for (char16_t& c : text) {
    if (c == u'#') c = u' ';
  }
  return text;
}

// The second syllable of a riul_pat.txt word with its initial ㄷ, ㅅ or ㅈ
// tensed; ㄱ and ㅂ stay, because after ㄹ in these words they do not tense.
std::u16string TenseAfterRieul(char16_t syllable) {
  std::u16string jamo = DecomposeText(std::u16string(1, syllable));
  for (char16_t& c : jamo) {
    if (c == ini::kDigeut) c = ini::kSsangDigeut;
    if (c == ini::kSiot) c = ini::kSsangSiot;
    if (c == ini::kJieut) c = ini::kSsangJieut;
  }
  return ComposeText(jamo);
}

[[noreturn]] void ThrowBadInteger(std::string_view source_name,
                                  std::size_t line_number,
                                  std::u16string_view field) {
  std::ostringstream message;
  message << source_name << " " << line_number << " 行目: 1 番目のフィールド「"
          << Utf16ToUtf8(field) << "」は整数ではありません。";
  throw ConversionError(message.str());
}

WordListEntry EntryFromFields(WordListId id,
                              const std::vector<std::u16string>& fields,
                              std::string_view source_name,
                              std::size_t line_number) {
  auto integer = [&](std::size_t index) {
    const std::optional<int> value = ParseInteger(fields[index]);
    if (!value) ThrowBadInteger(source_name, line_number, fields[index]);
    return *value;
  };
  WordListEntry entry;
  switch (id) {
    case WordListId::kCoSuff:
      entry.number = integer(0);
      entry.text = fields[1];
      break;
    case WordListId::kKSpecial:
      entry.number = integer(0);
      entry.text = HashesToSpaces(fields[1]);
      entry.replacement = HashesToSpaces(fields[2]);
      break;
    case WordListId::kWi3Var:
      entry.text = fields[0];
      break;
    case WordListId::kKanBion:
      entry.text = fields[1];
      entry.replacement = fields[2];
      break;
    case WordListId::kSetsubi:
      entry.text = fields[0];
      entry.replacement = fields[1];
      break;
    case WordListId::kRiulPat: {
      const std::u16string& word = fields[1];
      entry.text = word.substr(0, 2);
      if (!word.empty()) entry.replacement = word.substr(0, 1);
      if (word.size() >= 2) entry.replacement += TenseAfterRieul(word[1]);
      break;
    }
    case WordListId::kRiulFuture:
      entry.number = integer(0);
      entry.text = DecomposeText(fields[2]);
      break;
  }
  return entry;
}

std::u16string DecodeUtf16Le(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto lo = static_cast<unsigned char>(bytes[i]);
    const auto hi = static_cast<unsigned char>(bytes[i + 1]);
    text += static_cast<char16_t>(lo | (hi << 8));
  }
  return text;
}

std::u16string CutAtNul(std::u16string text) {
  const std::size_t nul = text.find(u'\0');
  if (nul != std::u16string::npos) text.resize(nul);
  return text;
}

// Calls visit(line) for each line of the text: cut at CR LF, lone LF and
// lone CR; a line break at the very end adds no empty line.
template <typename Visit>
void ForEachLine(std::u16string_view text, Visit visit) {
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      visit(text.substr(start, i - start));
      i += (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) visit(text.substr(start));
}

}  // namespace

std::string_view WordListFileName(WordListId id) {
  switch (id) {
    case WordListId::kCoSuff:
      return "co_suff.txt";
    case WordListId::kKSpecial:
      return "kspecial.txt";
    case WordListId::kWi3Var:
      return "wi3var.txt";
    case WordListId::kKanBion:
      return "kan_bion.txt";
    case WordListId::kSetsubi:
      return "setsubi.txt";
    case WordListId::kRiulPat:
      return "riul_pat.txt";
    case WordListId::kRiulFuture:
      return "riul_future.txt";
  }
  return "";
}

std::u16string DecodeWordListBytes(std::string_view bytes) {
  constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
  constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
  if (bytes.starts_with(kUtf8Bom)) {
    // A stray bad byte in a UTF-8 list spoils only its own line.
    return CutAtNul(Utf8ToUtf16Lossy(bytes.substr(kUtf8Bom.size())));
  }
  if (bytes.starts_with(kUtf16LeBom)) {
    return CutAtNul(DecodeUtf16Le(bytes.substr(kUtf16LeBom.size())));
  }
  if (bytes.find('\0') == std::string_view::npos) {
    if (std::optional<std::u16string> text = Utf8ToUtf16(bytes)) {
      return std::move(*text);
    }
  }
  return CutAtNul(DecodeUtf16Le(bytes));
}

std::vector<std::u16string> SplitLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  ForEachLine(text,
              [&](std::u16string_view line) { lines.emplace_back(line); });
  return lines;
}

std::vector<std::u16string> SplitFields(std::u16string_view line) {
  std::vector<std::u16string> fields;
  const std::size_t n = line.size();
  std::size_t i = 0;
  auto skip_blanks = [&] {
    while (i < n && IsBlank(line[i])) ++i;
  };
  skip_blanks();
  while (i < n) {
    std::u16string field;
    if (line[i] == u'"') {
      ++i;
      while (i < n) {
        if (line[i] == u'"') {
          if (i + 1 < n && line[i + 1] == u'"') {
            field += u'"';
            i += 2;
            continue;
          }
          ++i;  // the closing quote
          break;
        }
        field += line[i++];
      }
    } else {
      const std::size_t begin = i;
      while (i < n && !IsBlank(line[i]) && line[i] != u',') ++i;
      field.assign(line.substr(begin, i - begin));
    }
    fields.push_back(std::move(field));
    skip_blanks();
    if (i < n && line[i] == u',') {
      ++i;
      if (i == n) {
        fields.emplace_back();  // a comma that ends the line
        break;
      }
      skip_blanks();
    }
  }
  return fields;
}

std::optional<int> ParseInteger(std::u16string_view field) {
  std::size_t i = 0;
  const bool negative = !field.empty() && field[0] == u'-';
  if (negative) i = 1;
  if (i == field.size()) return std::nullopt;
  long long value = 0;
  for (; i < field.size(); ++i) {
    const char16_t c = field[i];
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
    if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) {
      return std::nullopt;
    }
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(value);
}

std::size_t WordListTextLimit(std::size_t size) {
  constexpr std::size_t kFloor = std::size_t{1} << 16;
  return std::max(4 * size, kFloor);
}

bool ReplaceListedWord(std::u16string& text, const WordListEntry& entry,
                       WordListId id, std::size_t limit) {
  const std::u16string_view pattern = entry.text;
  const std::u16string_view replacement = entry.replacement;
  if (!pattern.empty() && replacement.size() > pattern.size()) {
    // The length the replacement would make, counted before it is made.
    const std::size_t growth = replacement.size() - pattern.size();
    std::size_t size = text.size();
    for (std::size_t hit = Find(text, pattern); hit != std::u16string::npos;
         hit = Find(text, pattern, hit + pattern.size())) {
      size += growth;
      if (size > limit) {
        std::ostringstream message;
        message << WordListFileName(id) << ": 置き換えで文が " << limit
                << " 文字を超えるため、変換を中止しました。";
        throw ConversionError(message.str());
      }
    }
  }
  return ReplaceAll(text, pattern, replacement);
}

WordList BuildWordList(WordListId id, std::u16string_view text,
                       std::string_view source_name) {
  const Shape shape = ShapeOf(id);
  WordList entries;
  // Line by line, without a copy of all the lines: a list may be long.
  std::size_t line_number = 0;
  ForEachLine(text, [&](std::u16string_view line) {
    ++line_number;
    const std::vector<std::u16string> fields = SplitFields(line);
    const bool qualifies = shape.exact ? fields.size() == shape.fields
                                       : fields.size() >= shape.fields;
    if (qualifies) {
      entries.push_back(EntryFromFields(id, fields, source_name, line_number));
    }
  });
  return entries;
}

FolderWordLists::FolderWordLists(std::filesystem::path folder, bool cache)
    : folder_(std::move(folder)), cache_(cache) {}

FolderWordLists::Loaded FolderWordLists::Load(WordListId id) const {
  const std::filesystem::path path = folder_ / WordListFileName(id);
  const std::string name = path.string();
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return {};
  const Loaded unreadable{nullptr, name + " を読めません。", nullptr};
  if (std::filesystem::is_directory(path, ec)) return unreadable;
  std::ifstream in(path, std::ios::binary);
  if (!in) return unreadable;
  std::string bytes{std::istreambuf_iterator<char>(in),
                    std::istreambuf_iterator<char>()};
  if (in.bad()) return unreadable;
  const std::u16string text = DecodeWordListBytes(bytes);
  std::string().swap(bytes);  // not kept while the entries are built
  try {
    return {std::make_shared<const WordList>(BuildWordList(id, text, name)),
            std::nullopt, nullptr};
  } catch (const ConversionError& e) {
    return {nullptr, e.what(), nullptr};
  }
}

std::vector<std::u16string_view> IndexedWordList::TextsOf(
    const WordList& entries) {
  std::vector<std::u16string_view> texts;
  texts.reserve(entries.size());
  for (const WordListEntry& entry : entries) texts.push_back(entry.text);
  return texts;
}

IndexedWordList::IndexedWordList(std::shared_ptr<const WordList> entries)
    : entries_(std::move(entries)),
      texts_(TextsOf(*entries_)),
      index_(texts_) {}

std::shared_ptr<const IndexedWordList> WordListSource::Indexed(WordListId id) {
  std::shared_ptr<const WordList> entries = Entries(id);
  if (!entries) return nullptr;
  return std::make_shared<const IndexedWordList>(std::move(entries));
}

FolderWordLists::Loaded& FolderWordLists::Cached(WordListId id) {
  std::optional<Loaded>& slot = loaded_[static_cast<std::size_t>(id)];
  if (!slot) slot = Load(id);
  if (slot->error) throw ConversionError(*slot->error);
  return *slot;
}

std::shared_ptr<const WordList> FolderWordLists::Entries(WordListId id) {
  if (!cache_) {
    Loaded loaded = Load(id);
    if (loaded.error) throw ConversionError(*loaded.error);
    return loaded.entries;
  }
  return Cached(id).entries;
}

std::shared_ptr<const IndexedWordList> FolderWordLists::Indexed(WordListId id) {
  if (!cache_) return WordListSource::Indexed(id);
  Loaded& loaded = Cached(id);
  if (loaded.entries && !loaded.indexed) {
    loaded.indexed = std::make_shared<const IndexedWordList>(loaded.entries);
  }
  return loaded.indexed;
}

}  // namespace pimoru
