// The word lists that drive the word-dependent stages.
//
// Each list is a text file in the kdat folder, one entry per line, its fields
// separated by commas or blanks. A stage keeps the lines that have the shape
// it needs ("qualifying" lines) and turns them into WordListEntry values, in
// file order. A missing file makes its stage do nothing; an unreadable file or
// a bad number ends the conversion with a ConversionError.
#ifndef PIMORU_HANGUL_WORD_LIST_H_
#define PIMORU_HANGUL_WORD_LIST_H_

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hangul/conversion_error.h"
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
//   kspecial     number = stage, text = pattern, replacement ("#" = space)
//   wi3var       text = word
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

// The entries of a word list with the index of their texts.
class IndexedWordList {
 public:
  explicit IndexedWordList(std::shared_ptr<const WordList> entries);

  const WordList& entries() const { return *entries_; }
  const PatternIndex& index() const { return index_; }

 private:
  static std::vector<std::u16string_view> TextsOf(const WordList& entries);

  std::shared_ptr<const WordList> entries_;
  std::vector<std::u16string_view> texts_;
  PatternIndex index_;
};

// Decodes a word-list file's bytes into text. UTF-16 little-endian, with or
// without the byte-order mark FF FE; a file that starts with the UTF-8
// byte-order mark, or that holds no NUL byte and is valid UTF-8, is read as
// UTF-8 instead. A U+0000 ends the text.
std::u16string DecodeWordListBytes(std::string_view bytes);

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
  // The entries of a list, or null when its file does not exist. Throws
  // ConversionError when the file cannot be read or holds a bad number.
  virtual std::shared_ptr<const WordList> Entries(WordListId id) = 0;
  // The same entries with their index, or null when the file does not
  // exist; throws as Entries does. Built afresh from Entries unless the
  // source keeps it.
  virtual std::shared_ptr<const IndexedWordList> Indexed(WordListId id);
};

// Reads the lists from a folder. Without caching, every call reads the file
// afresh, so an edited list takes effect at the next conversion (the
// window). With caching, each file is read once for the life of the source
// (a batch of many lines on the command line).
class FolderWordLists : public WordListSource {
 public:
  FolderWordLists(std::filesystem::path folder, bool cache);
  std::shared_ptr<const WordList> Entries(WordListId id) override;
  std::shared_ptr<const IndexedWordList> Indexed(WordListId id) override;

 private:
  struct Loaded {
    std::shared_ptr<const WordList> entries;
    std::optional<std::string> error;
    std::shared_ptr<const IndexedWordList> indexed;  // made on first use
  };
  Loaded& Cached(WordListId id);
  Loaded Load(WordListId id) const;

  std::filesystem::path folder_;
  bool cache_;
  // By list number: looked up for every conversion.
  std::array<std::optional<Loaded>, std::size(kAllWordLists)> loaded_;
};

// No lists at all: every stage that needs one does nothing.
class NoWordLists : public WordListSource {
 public:
  std::shared_ptr<const WordList> Entries(WordListId) override {
    return nullptr;
  }
};

}  // namespace pimoru

#endif  // PIMORU_HANGUL_WORD_LIST_H_
