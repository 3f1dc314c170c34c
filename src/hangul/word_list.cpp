#include "hangul/word_list.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <limits>
#include <sstream>
#include <utility>

#include "hangul/file_read.h"
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

// A "$" in a field of kspecial.txt and wi3var.txt stands for a join of
// stage 2; in kspecial.txt a "#" stands for a space.
std::u16string WithJoins(std::u16string text) {
  std::replace(text.begin(), text.end(), u'$', kJoinMarker);
  return text;
}
std::u16string SpecialWordText(std::u16string text) {
  std::replace(text.begin(), text.end(), u'#', u' ');
  return WithJoins(std::move(text));
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

// Takes the fields it keeps out of `fields`.
WordListEntry EntryFromFields(WordListId id,
                              std::vector<std::u16string>& fields,
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
      entry.text = std::move(fields[1]);
      break;
    case WordListId::kKSpecial:
      entry.number = integer(0);
      entry.text = SpecialWordText(std::move(fields[1]));
      entry.replacement = SpecialWordText(std::move(fields[2]));
      break;
    case WordListId::kWi3Var:
      // Stage 4 runs after the joins are gone, so a line with a "$" matches
      // nothing: the list's comments are written so.
      entry.text = WithJoins(std::move(fields[0]));
      break;
    case WordListId::kKanBion:
      entry.text = std::move(fields[1]);
      entry.replacement = std::move(fields[2]);
      break;
    case WordListId::kSetsubi:
      entry.text = std::move(fields[0]);
      entry.replacement = std::move(fields[1]);
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

// The number of the line that `before`, the text up to a place, ends in:
// counted as ForEachLine cuts lines.
std::size_t LineAt(std::u16string_view before) {
  std::size_t line = 1;
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (before[i] == u'\n' ||
        (before[i] == u'\r' &&
         (i + 1 == before.size() || before[i + 1] != u'\n'))) {
      ++line;
    }
  }
  return line;
}

[[noreturn]] void ThrowNotText(std::string_view source_name,
                               std::optional<std::size_t> line,
                               std::string_view what) {
  std::ostringstream message;
  message << source_name;
  if (line) message << " " << *line << " 行目";
  message
      << ": " << what
      << "（単語リストは UTF-8 か UTF-16 のテキストでなければなりません）。";
  throw ConversionError(message.str());
}

// A text that holds no U+0000, as a list must.
std::u16string WithoutNul(std::u16string text, std::string_view source_name) {
  const std::size_t nul = text.find(u'\0');
  if (nul != std::u16string::npos) {
    ThrowNotText(source_name, LineAt(std::u16string_view(text).substr(0, nul)),
                 "NUL 文字があります");
  }
  return text;
}

// Strict UTF-8, or the error naming the line of the first bad byte.
std::u16string DecodeUtf8List(std::string_view bytes,
                              std::string_view source_name) {
  std::u16string text;
  if (!Utf8ToUtf16(bytes, text)) {
    ThrowNotText(source_name, LineAt(text),
                 "UTF-8 として正しくないバイトがあります");
  }
  return WithoutNul(std::move(text), source_name);
}

enum class ByteOrder { kLittle, kBig };

// UTF-16 of either byte order into `text`; false with `problem` (and the
// text decoded up to it) when the bytes are not: an odd byte at the end or
// a surrogate without its pair.
bool DecodeUtf16(std::string_view bytes, ByteOrder order, std::u16string& text,
                 std::string_view& problem) {
  text.clear();
  text.reserve(bytes.size() / 2);
  const int high = order == ByteOrder::kLittle ? 1 : 0;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto lead = static_cast<unsigned char>(bytes[i + high]);
    const auto trail = static_cast<unsigned char>(bytes[i + 1 - high]);
    text += static_cast<char16_t>(lead << 8 | trail);
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const bool high_half = c >= 0xD800 && c <= 0xDBFF;
    const bool low_half = c >= 0xDC00 && c <= 0xDFFF;
    if (low_half ||
        (high_half && (i + 1 == text.size() || text[i + 1] < 0xDC00 ||
                       text[i + 1] > 0xDFFF))) {
      text.resize(i);
      problem = "UTF-16 として対のないサロゲートがあります";
      return false;
    }
    if (high_half) ++i;
  }
  if (bytes.size() % 2 != 0) {
    problem = "UTF-16 として最後の 1 バイトが半端です";
    return false;
  }
  return true;
}

std::u16string DecodeUtf16List(std::string_view bytes, ByteOrder order,
                               std::string_view source_name) {
  std::u16string text;
  std::string_view problem;
  if (!DecodeUtf16(bytes, order, text, problem)) {
    ThrowNotText(source_name, LineAt(text), problem);
  }
  return WithoutNul(std::move(text), source_name);
}

// Without a byte-order mark, the text as UTF-16 little-endian when it is
// valid as that, holds no U+0000 and holds a character below U+0100: its
// high byte is a NUL, which UTF-8 text never holds.
std::optional<std::u16string> Utf16LeWithoutMark(std::string_view bytes) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  bool below_0100 = false;
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    const bool high_nul = bytes[i + 1] == '\0';
    if (high_nul && bytes[i] == '\0') return std::nullopt;
    below_0100 = below_0100 || high_nul;
  }
  if (!below_0100) return std::nullopt;
  std::u16string text;
  std::string_view problem;
  if (!DecodeUtf16(bytes, ByteOrder::kLittle, text, problem)) {
    return std::nullopt;
  }
  return text;
}

// Why the lists of `folder` cannot be read at all, or nothing.
std::optional<std::string> FolderProblem(const std::filesystem::path& folder) {
  struct stat st;
  std::string reason;
  if (::stat(folder.c_str(), &st) != 0) {
    reason = std::strerror(errno);
  } else if (!S_ISDIR(st.st_mode)) {
    reason = "フォルダではありません";
  } else if (::access(folder.c_str(), X_OK) != 0) {
    reason = std::strerror(errno);
  } else {
    return std::nullopt;
  }
  return "単語リストのフォルダ " + folder.string() + " を読めません。(" +
         reason + ")";
}

// SplitFields into `fields`, whose strings are reused from line to line.
void SplitFieldsInto(std::u16string_view line,
                     std::vector<std::u16string>& fields) {
  std::size_t used = 0;
  auto next_field = [&]() -> std::u16string& {
    if (used == fields.size()) fields.emplace_back();
    std::u16string& field = fields[used++];
    field.clear();
    return field;
  };
  const std::size_t n = line.size();
  std::size_t i = 0;
  auto skip_blanks = [&] {
    while (i < n && IsBlank(line[i])) ++i;
  };
  skip_blanks();
  while (i < n) {
    std::u16string& field = next_field();
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
    skip_blanks();
    if (i < n && line[i] == u',') {
      ++i;
      if (i == n) {
        next_field();  // a comma that ends the line
        break;
      }
      skip_blanks();
    }
  }
  fields.resize(used);
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

// The list as read, or its error.
const IndexedWordList* ListOrError(const LoadedWordList& loaded) {
  if (loaded.error) {
    throw ConversionError(*loaded.error,
                          ConversionError::Kind::kUnreadableWordList);
  }
  return loaded.list.get();
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

std::u16string DecodeWordListBytes(std::string_view bytes,
                                   std::string_view source_name) {
  constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
  constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
  constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
  constexpr std::string_view kUtf32LeBom("\xFF\xFE\0\0", 4);
  constexpr std::string_view kUtf32BeBom("\0\0\xFE\xFF", 4);
  if (bytes.starts_with(kUtf32LeBom) || bytes.starts_with(kUtf32BeBom)) {
    ThrowNotText(source_name, std::nullopt, "UTF-32 のファイルは読めません");
  }
  if (bytes.starts_with(kUtf8Bom)) {
    return DecodeUtf8List(bytes.substr(kUtf8Bom.size()), source_name);
  }
  if (bytes.starts_with(kUtf16LeBom)) {
    return DecodeUtf16List(bytes.substr(kUtf16LeBom.size()), ByteOrder::kLittle,
                           source_name);
  }
  if (bytes.starts_with(kUtf16BeBom)) {
    return DecodeUtf16List(bytes.substr(kUtf16BeBom.size()), ByteOrder::kBig,
                           source_name);
  }
  if (bytes.find('\0') != std::string_view::npos) {
    if (std::optional<std::u16string> text = Utf16LeWithoutMark(bytes)) {
      return std::move(*text);
    }
  }
  return DecodeUtf8List(bytes, source_name);
}

std::vector<std::u16string> SplitLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  ForEachLine(text,
              [&](std::u16string_view line) { lines.emplace_back(line); });
  return lines;
}

std::vector<std::u16string> SplitFields(std::u16string_view line) {
  std::vector<std::u16string> fields;
  SplitFieldsInto(line, fields);
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
  // Room for every line at once: a long list is not copied as it grows.
  std::size_t lines = 0;
  ForEachLine(text, [&](std::u16string_view) { ++lines; });
  WordList entries;
  entries.reserve(lines);
  // Line by line, without a copy of all the lines: a list may be long.
  std::vector<std::u16string> fields;
  std::size_t line_number = 0;
  ForEachLine(text, [&](std::u16string_view line) {
    ++line_number;
    SplitFieldsInto(line, fields);
    const bool qualifies = shape.exact ? fields.size() == shape.fields
                                       : fields.size() >= shape.fields;
    if (qualifies) {
      entries.push_back(EntryFromFields(id, fields, source_name, line_number));
    }
  });
  // Lines that did not qualify (comments, blank lines) give back their room.
  if (entries.size() < entries.capacity() / 4 * 3) entries.shrink_to_fit();
  return entries;
}

IndexedWordList::IndexedWordList(WordList entries)
    : entries_(std::move(entries)), index_([&] {
        std::vector<std::u16string_view> texts;
        texts.reserve(entries_.size());
        for (const WordListEntry& entry : entries_) texts.push_back(entry.text);
        return texts;
      }()) {}

LoadedWordList LoadWordList(const std::filesystem::path& folder,
                            WordListId id) {
  const std::filesystem::path path = folder / WordListFileName(id);
  const std::string name = path.string();
  auto unreadable = [&](std::string_view reason) {
    return LoadedWordList{
        nullptr, name + " を読めません。(" + std::string(reason) + ")"};
  };
  // Looked at before it is opened: a FIFO or a device is never opened,
  // so it cannot hang the conversion or be disturbed by it.
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    const int error = errno;
    if (std::optional<std::string> problem = FolderProblem(folder)) {
      return {nullptr, std::move(problem)};
    }
    if (error != ENOENT) return unreadable(std::strerror(error));
    struct stat link;
    if (::lstat(path.c_str(), &link) == 0) {
      return unreadable("リンク先がありません");
    }
    return {};  // no file: its stage does nothing
  }
  if (!S_ISREG(st.st_mode)) return unreadable(NotAFileReason(st.st_mode));
  std::string bytes;
  if (std::optional<std::string> reason = ReadRegularFile(path, bytes)) {
    return unreadable(*reason);
  }
  try {
    WordList entries;
    {
      const std::u16string text = DecodeWordListBytes(bytes, name);
      std::string().swap(bytes);  // not kept while the entries are built
      entries = BuildWordList(id, text, name);
    }
    return {std::make_unique<const IndexedWordList>(std::move(entries)),
            std::nullopt};
  } catch (const ConversionError& e) {
    return {nullptr, e.what()};
  }
}

FolderWordLists::FolderWordLists(std::filesystem::path folder)
    : folder_(std::move(folder)) {}

const LoadedWordList& FolderWordLists::Current(WordListId id) {
  Kept& kept = kept_[static_cast<std::size_t>(id)];
  const std::filesystem::path path = folder_ / WordListFileName(id);
  std::optional<Stamp> now;
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) {
    now = Stamp{static_cast<std::uint64_t>(st.st_dev),
                static_cast<std::uint64_t>(st.st_ino),
                static_cast<std::uint64_t>(st.st_size),
                st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec,
                st.st_ctim.tv_sec * 1'000'000'000LL + st.st_ctim.tv_nsec};
  }
  if (now && kept.stamp == now) return kept.loaded;
  // A file that is not there is looked into afresh every time, which costs
  // little: its folder may have gone, or a link of that name come to lead
  // nowhere, and no stamp of a missing file would show it.
  kept.loaded = LoadWordList(folder_, id);
  kept.stamp = now;
  return kept.loaded;
}

const IndexedWordList* FolderWordLists::Indexed(WordListId id) {
  return ListOrError(Current(id));
}

LoadedWordLists::LoadedWordLists(const std::filesystem::path& folder) {
  for (const WordListId id : kAllWordLists) {
    lists_[static_cast<std::size_t>(id)] = LoadWordList(folder, id);
  }
}

const IndexedWordList* LoadedWordLists::Indexed(WordListId id) {
  return ListOrError(Loaded(id));
}

std::vector<std::string> LoadedWordLists::Errors() const {
  std::vector<std::string> errors;
  for (const LoadedWordList& loaded : lists_) {
    // A folder that cannot be read is the error of every list.
    if (loaded.error && std::find(errors.begin(), errors.end(),
                                  *loaded.error) == errors.end()) {
      errors.push_back(*loaded.error);
    }
  }
  return errors;
}

}  // namespace pimoru
