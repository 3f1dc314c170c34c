// The Sino-Korean words of a hanja dictionary: each word in Hangul with the
// hanja that spell it ("목록" → "目錄"), held in one sorted array built once.
//
// The dictionary is a text file of lines "hangul:hanja:gloss" (comments
// begin with "#"). A word may have several entries (일본: 日本 and 一本);
// an entry may mix hanja with Hangul (담요: 毯요), and shows which of its
// syllables are hanja. Glosses are not kept.
#ifndef PIMORU_LEXICON_HANJA_DICTIONARY_H_
#define PIMORU_LEXICON_HANJA_DICTIONARY_H_

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pimoru {

// One entry: the word, its spelling, and which syllables that spelling
// gives in hanja (bit k for syllable k).
struct HanjaEntry {
  std::u16string_view hangul;
  std::u16string_view hanja;
  std::uint32_t hanja_syllables = 0;

  bool AllHanja() const {
    return hanja_syllables == (std::uint32_t{1} << hangul.size()) - 1;
  }
};

class HanjaDictionary {
 public:
  // Words longer than this are not kept.
  static constexpr std::size_t kMaxSyllables = 16;

  // The largest file read: ten times the one libhangul-data ships (6 MB).
  static constexpr std::uint64_t kFileLimit = std::uint64_t{64} << 20;

  // Builds the dictionary from the text of the file (UTF-8).
  static HanjaDictionary FromText(std::string_view utf8);
  // Reads the file, which must be a regular file of at most kFileLimit
  // bytes; nullopt when it cannot be read, and then why in `why` where
  // given ("PATH: フォルダです").
  static std::optional<HanjaDictionary> FromFile(
      const std::filesystem::path& path, std::string* why = nullptr);

  // The entries of a word in file order; empty when the word is not there.
  std::vector<HanjaEntry> Entries(std::u16string_view hangul) const;
  // The entries of the words that begin with `prefix` and are longer,
  // sorted by their Hangul.
  std::vector<HanjaEntry> LongerEntries(std::u16string_view prefix) const;
  // The first entry of a word that is all hanja, if any.
  std::optional<HanjaEntry> HanjaWord(std::u16string_view hangul) const;
  // The length of the longest word spelled all in hanja with which `text`
  // begins, 0 when there is none.
  std::size_t LongestHanjaWord(std::u16string_view text) const;
  // Whether a single syllable has any hanja reading.
  bool HasHanja(char16_t syllable) const;

  std::size_t size() const { return entries_.size(); }
  // The memory the dictionary holds, in bytes.
  std::size_t Bytes() const;

 private:
  struct Stored {
    std::uint32_t hangul;  // offset in text_
    std::uint32_t hanja;   // offset in text_
    std::uint8_t hangul_size;
    std::uint8_t hanja_size;
    std::uint32_t hanja_syllables;
  };
  std::u16string_view Hangul(const Stored& s) const {
    return std::u16string_view(text_).substr(s.hangul, s.hangul_size);
  }
  HanjaEntry ToEntry(const Stored& s) const;
  std::pair<std::size_t, std::size_t> Range(std::u16string_view hangul) const;

  std::u16string text_;
  std::vector<Stored> entries_;  // by Hangul, then file order
};

}  // namespace pimoru

#endif  // PIMORU_LEXICON_HANJA_DICTIONARY_H_
