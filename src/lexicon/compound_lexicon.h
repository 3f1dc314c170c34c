// The compound lexicon: words whose parts meet at a junction that can take
// an inserted ㄴ (a final consonant before 이, 야, 여, 요, 유, 얘 or 예), with
// what each such junction takes: 솜이불 is 솜 + 이불 and takes it, 금요일 is
// 금 + 요일 and does not.
//
// The list is a text file (UTF-8, or UTF-16 with its byte-order mark, read
// as the word lists are) of tab-separated lines
//
//   word <TAB> parts <TAB> takes <TAB> source [<TAB> # note]
//   솜이불	솜+이불	ㄴ	dictionary
//
// parts: the word cut with "+"; takes: for each junction of the parts that
// can take ㄴ, in order and separated by ",", "ㄴ" (inserted), "-" (not) or
// "ㄴ/-" (either reading is standard); source: where the decision comes
// from, "dictionary", "rule", "reviewed" or "user". Blank lines and lines
// that begin with "#" are skipped. The shipped list is lexicon/compounds.tsv
// in the program's data; a file of the same name in the user's data folder
// adds to it, a user's line replacing the shipped line of its word.
#ifndef PIMORU_LEXICON_COMPOUND_LEXICON_H_
#define PIMORU_LEXICON_COMPOUND_LEXICON_H_

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace pimoru {

enum class JunctionTakes : std::uint8_t {
  kInserted,     // 솜이불 → 솜니불
  kNotInserted,  // 금요일 → 그묘일
  kEither,       // 금융 → 금늉 or 그뮹
};

enum class CompoundSource : std::uint8_t {
  kDictionary,  // the morphological dictionary's split
  kRule,        // a rule of the script that made the list
  kReviewed,    // judged by hand
  kUser,        // the user's own line
};

// Whether the syllables `before` and `after` meet at a junction that can
// take an inserted ㄴ: a final consonant, then 이, 야, 여, 요, 유, 얘 or 예
// (with or without a final of its own).
bool CanTakeInsertedNieun(char16_t before, char16_t after);

struct CompoundJunction {
  std::uint8_t after = 0;  // the junction after this syllable of the word
  JunctionTakes takes = JunctionTakes::kInserted;
  friend bool operator==(const CompoundJunction&,
                         const CompoundJunction&) = default;
};

struct CompoundEntry {
  std::u16string word;   // 솜이불
  std::u16string parts;  // 솜+이불
  std::vector<CompoundJunction> junctions;
  CompoundSource source = CompoundSource::kDictionary;

  // What the junction after syllable `at` takes; null where the entry
  // lists no junction there.
  const JunctionTakes* TakesAfter(std::size_t at) const;
};

// The files of the lexicon: the shipped list and the user's.
struct CompoundFiles {
  std::filesystem::path shipped;
  std::filesystem::path user;
};

// lexicon/compounds.tsv of the program's data folder (the one that holds
// kdat/) and compounds.tsv of the user's data folder.
CompoundFiles FindCompoundFiles(const std::filesystem::path& data_folder,
                                const std::filesystem::path& user_folder);

class CompoundLexicon {
 public:
  // Files larger than this are refused unread.
  static constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{16} << 20;
  // Words longer than this are refused.
  static constexpr std::size_t kMaxSyllables = 32;

  // The entries of a list's text, in file order. Throws ConversionError
  // naming `source_name` and the line at the first line that is not an
  // entry.
  static std::vector<CompoundEntry> Parse(std::u16string_view text,
                                          std::string_view source_name);

  // The entries of both lists, the user's replacing the shipped ones of the
  // same word. A missing file adds nothing; a file that cannot be read or
  // holds a bad line adds nothing either, and its message is kept in
  // `errors`.
  static CompoundLexicon Load(const CompoundFiles& files);

  // Made of entries; a later entry replaces an earlier one of its word.
  explicit CompoundLexicon(std::vector<CompoundEntry> entries = {});

  // The entry of a word, null when the word is not listed.
  const CompoundEntry* Find(std::u16string_view word) const;
  // The entry of the longest listed word with which `text` begins.
  const CompoundEntry* LongestAtStart(std::u16string_view text) const;

  std::size_t size() const { return entries_.size(); }
  const std::vector<std::string>& errors() const { return errors_; }
  // The memory the entries hold, in bytes.
  std::size_t Bytes() const;

 private:
  std::vector<CompoundEntry> entries_;  // by word
  std::vector<std::string> errors_;
};

}  // namespace pimoru

#endif  // PIMORU_LEXICON_COMPOUND_LEXICON_H_
