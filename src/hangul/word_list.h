// The word lists that drive the word-dependent stages.
//
// Each list is a text file in the kdat folder, one entry per line, its fields
// separated by commas or blanks. A stage keeps the lines that have the shape
// it needs ("qualifying" lines) and turns them into WordListEntry values, in
// file order. A missing file makes its stage do nothing; a missing folder, a
// file that exists but cannot be read (no permission, a folder, a FIFO, a
// device, a link that leads nowhere), a file that is not UTF-8 or UTF-16
// text, or a bad number ends the conversion with a ConversionError that
// names the file.
#ifndef PIMORU_HANGUL_WORD_LIST_H_
#define PIMORU_HANGUL_WORD_LIST_H_

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hangul/conversion_error.h"
#include "hangul/jamo.h"
#include "hangul/pattern_index.h"

namespace pimoru {

enum class WordListId {
  kCoSuff,      // co_suff.txt, stage 2: counters after native number words
  kKSpecial,    // kspecial.txt, stage 3: special words
  kWi3Var,      // wi3var.txt, stage 4: words whose 의 is read 이
  kKanBion,     // kan_bion.txt, stage 5: nasalisation in listed words
  kSetsubi,     // setsubi.txt, stage 6: tensification in listed words
  kRiulPat,     // riul_pat.txt, stage 7: ㄹ + ㄷ/ㅅ/ㅈ tensification
  kRiulFuture,  // riul_future.txt, stage 18: future adnominal endings
};
inline constexpr WordListId kAllWordLists[] = {
    WordListId::kCoSuff,    WordListId::kKSpecial, WordListId::kWi3Var,
    WordListId::kKanBion,   WordListId::kSetsubi,  WordListId::kRiulPat,
    WordListId::kRiulFuture};

// The file name of a list, e.g. "co_suff.txt".
std::string_view WordListFileName(WordListId id);

// One qualifying line, with only the fields its stage uses:
//   co_suff      number = irregular-form flag, text = counter word
//   kspecial     number = stage, text = pattern, replacement ("#" = space,
//                "$" = kJoinMarker, a join of stage 2)
//   wi3var       text = word ("$" = a join of stage 2, gone by stage 4:
//                a line with "$" matches nothing, as the comments do)
//   kan_bion     text = pattern (field 2), replacement (field 3)
//   setsubi      text = pattern (field 1), replacement (field 2)
//   riul_pat     text = first two syllables of field 2, replacement = the
//                same with the second syllable's initial ㄷ/ㅅ/ㅈ tensed
//   riul_future  number = kind, text = field 3 decomposed into jamo
struct WordListEntry {
  int number = 0;
  std::u16string text;
  std::u16string replacement;
  friend bool operator==(const WordListEntry&, const WordListEntry&) = default;
};
using WordList = std::vector<WordListEntry>;

// The entries of a word list with the index of their texts. The index
// refers to the entries' texts, so a list stays where it was made.
class IndexedWordList {
 public:
  explicit IndexedWordList(WordList entries);
  IndexedWordList(const IndexedWordList&) = delete;
  IndexedWordList& operator=(const IndexedWordList&) = delete;

  const WordList& entries() const { return entries_; }
  const PatternIndex& index() const { return index_; }

 private:
  const WordList entries_;
  const PatternIndex index_;
};

// Decodes a word-list file's bytes into text: UTF-16 little-endian with the
// byte-order mark FF FE, UTF-16 big-endian with FE FF, UTF-8 with EF BB BF.
// Without a mark, a file that is valid UTF-8 and holds no NUL byte is read
// as UTF-8, and otherwise as UTF-16 little-endian when it is valid as that
// and holds a character below U+0100 (a line break, a comma or a digit: the
// NUL bytes of UTF-16 text). Anything else (ill-formed UTF-8 or UTF-16,
// UTF-32, Shift_JIS and other legacy encodings, a NUL character) throws a
// ConversionError naming `source_name`, the line and what was expected.
std::u16string DecodeWordListBytes(std::string_view bytes,
                                   std::string_view source_name);

// Cuts text into lines at CR LF, lone LF and lone CR. A line break at the
// very end adds no empty line.
std::vector<std::u16string> SplitLines(std::u16string_view text);

// Splits one line into fields: commas and blanks (U+0001..U+0020) separate,
// a field in double quotes may hold both (two quotes stand for one), a comma
// at the very end of the line adds an empty field.
std::vector<std::u16string> SplitFields(std::u16string_view line);

// Parses an integer field (decimal digits, optional minus sign). nullopt when
// the field is not one, or does not fit an int.
std::optional<int> ParseInteger(std::u16string_view field);

// Builds the entries of a list from its decoded text. `source_name` names the
// file in error messages.
WordList BuildWordList(WordListId id, std::u16string_view text,
                       std::string_view source_name);

// The longest text that the replacements of a list may make of a text of
// `size` code units. Lists whose entries swell the text without end (a
// letter doubled by entry after entry) end the conversion instead of
// exhausting the memory.
std::size_t WordListTextLimit(std::size_t size);

// ReplaceAll of an entry's text by its replacement, unless the result would
// be longer than `limit`: then throws ConversionError naming the list.
bool ReplaceListedWord(std::u16string& text, const WordListEntry& entry,
                       WordListId id, std::size_t limit);

// Where the stages get their lists from.
class WordListSource {
 public:
  virtual ~WordListSource() = default;
  // The entries of a list with their index, or null when its file does not
  // exist. What is handed out stays valid until the list is asked for
  // again, when a source may have read it anew. Throws ConversionError of
  // kind kUnreadableWordList when the list cannot be read.
  virtual const IndexedWordList* Indexed(WordListId id) = 0;
};

// A list as read from its folder: its entries with their index, null when
// the file does not exist, or the message of the error its reading ended in.
struct LoadedWordList {
  std::unique_ptr<const IndexedWordList> list;
  std::optional<std::string> error;
};

// Reads list `id` from `folder` and indexes it.
LoadedWordList LoadWordList(const std::filesystem::path& folder, WordListId id);

// The lists of a folder as the window reads them: a list is read again only
// when its file changed (its size, its times or the file itself), so an
// edited list takes effect at the next conversion while an unchanged one
// costs a look at its file.
class FolderWordLists : public WordListSource {
 public:
  explicit FolderWordLists(std::filesystem::path folder);
  const IndexedWordList* Indexed(WordListId id) override;

 private:
  // What the file looked like when it was read.
  struct Stamp {
    std::uint64_t device = 0, inode = 0, size = 0;
    std::int64_t modified_ns = 0, changed_ns = 0;
    friend bool operator==(const Stamp&, const Stamp&) = default;
  };
  struct Kept {
    std::optional<Stamp> stamp;  // none: looked into again at the next use
    LoadedWordList loaded;
  };
  const LoadedWordList& Current(WordListId id);

  std::filesystem::path folder_;
  std::array<Kept, std::size(kAllWordLists)> kept_;
};

// Every list of a folder read once, when made, for a run of many
// conversions (the command line). Nothing changes afterwards, so the lists
// may be shared read-only by conversions on several threads at once. What
// Indexed hands out is valid as long as this source lives. A list that
// could not be read throws its error at every use.
class LoadedWordLists : public WordListSource {
 public:
  explicit LoadedWordLists(const std::filesystem::path& folder);
  const IndexedWordList* Indexed(WordListId id) override;

  // The messages of the lists that could not be read, each once, in list
  // order.
  std::vector<std::string> Errors() const;

 private:
  const LoadedWordList& Loaded(WordListId id) const {
    return lists_[static_cast<std::size_t>(id)];
  }

  std::array<LoadedWordList, std::size(kAllWordLists)> lists_;
};

// No lists at all: every stage that needs one does nothing.
class NoWordLists : public WordListSource {
 public:
  const IndexedWordList* Indexed(WordListId) override { return nullptr; }
};

}  // namespace pimoru

#endif  // PIMORU_HANGUL_WORD_LIST_H_
