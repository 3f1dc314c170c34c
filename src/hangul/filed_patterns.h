// The patterns of a table filed under their keys, and the one interface of
// the two forms in which a PatternIndex finds the keys in a text.
//
// Each pattern is filed under one key, the pair of adjacent letters that the
// fewest other patterns hold (its letter, for a pattern of one); where that
// key stands in a text, the pattern is compared whole.
#ifndef PIMORU_HANGUL_FILED_PATTERNS_H_
#define PIMORU_HANGUL_FILED_PATTERNS_H_

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace pimoru {

// A set of small numbers, in place up to 1,024 of them, so that a sentence
// allocates nothing for it.
class SmallBitSet {
 public:
  explicit SmallBitSet(std::size_t size);
  SmallBitSet(const SmallBitSet&) = delete;
  SmallBitSet& operator=(const SmallBitSet&) = delete;

  std::size_t size() const { return size_; }
  void Set(std::size_t i) { words_[i / 64] |= std::uint64_t{1} << (i % 64); }
  bool Test(std::size_t i) const {
    return (words_[i / 64] >> (i % 64) & 1) != 0;
  }
  void SetAll();
  // The first number at or after `from` in the set, or size() if none.
  std::size_t NextSet(std::size_t from) const {
    while (from < size_) {
      const std::uint64_t rest = words_[from / 64] >> (from % 64);
      if (rest != 0) {
        from += static_cast<std::size_t>(std::countr_zero(rest));
        return from < size_ ? from : size_;
      }
      from = (from / 64 + 1) * 64;
    }
    return size_;
  }

 private:
  std::size_t size_;
  std::array<std::uint64_t, 16> inline_;  // only the words in use are set
  std::vector<std::uint64_t> heap_;
  std::uint64_t* words_;
};

// The keys a pattern may be filed under, with where each begins: its
// letter, or its pairs; each as FiledPatterns::LetterKey or PairKey gives
// it.
template <typename Visit>
void ForEachKey(std::u16string_view pattern, Visit visit);

// The patterns of a table, each filed under its key.
class FiledPatterns {
 public:
  // The patterns must outlive this.
  explicit FiledPatterns(std::vector<std::u16string_view> patterns);

  std::size_t size() const { return patterns_.size(); }
  std::u16string_view pattern(std::size_t p) const { return patterns_[p]; }
  // Where in pattern p its key begins.
  std::size_t key_offset(std::size_t p) const { return key_offset_[p]; }
  // The letters of the key of pattern p: one or two, none for an empty
  // pattern.
  std::u16string_view Key(std::size_t p) const {
    return patterns_[p].substr(key_offset_[p], 2);
  }
  std::size_t longest() const { return longest_; }
  // The empty patterns, filed under no key: they stand in every text.
  std::span<const std::uint32_t> empty() const { return empty_; }
  // A pair of letters that every pattern holds, if there is one (ㅁ니 in
  // each colloquial ending): a text without it holds none of them.
  std::u16string_view shared_pair() const {
    return {shared_pair_.data(), shared_pair_[0] == 0 ? 0u : 2u};
  }

  // A key of one letter or two as one number: a letter's has bit 32.
  static std::uint64_t LetterKey(char16_t c) {
    return std::uint64_t{1} << 32 | c;
  }
  static std::uint64_t PairKey(char16_t a, char16_t b) {
    return std::uint64_t{a} << 16 | b;
  }
  // The patterns by key: keys[k] in ascending order, with the patterns
  // numbers[starts[k] .. starts[k + 1]) filed under it in table order.
  struct Groups {
    std::vector<std::uint64_t> keys;
    std::vector<std::uint32_t> starts;
    std::vector<std::uint32_t> numbers;
  };
  Groups GroupByKey() const;

  // Marks pattern p if it stands in `text` with its key at `at`.
  void MarkIfStanding(std::uint32_t p, std::u16string_view text, std::size_t at,
                      SmallBitSet& marks) const {
    if (marks.Test(p) || at < key_offset_[p]) return;
    const std::u16string_view pattern = patterns_[p];
    const std::size_t start = at - key_offset_[p];
    if (text.size() - start < pattern.size()) return;
    for (std::size_t k = 0; k < pattern.size(); ++k) {
      if (text[start + k] != pattern[k]) return;
    }
    marks.Set(p);
  }

 private:
  std::vector<std::u16string_view> patterns_;
  std::vector<std::uint32_t> key_offset_;
  std::vector<std::uint32_t> empty_;
  std::size_t longest_ = 0;
  std::array<char16_t, 2> shared_pair_{};
};

template <typename Visit>
void ForEachKey(std::u16string_view pattern, Visit visit) {
  if (pattern.size() == 1) {
    visit(FiledPatterns::LetterKey(pattern[0]), std::size_t{0});
    return;
  }
  for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
    visit(FiledPatterns::PairKey(pattern[i], pattern[i + 1]), i);
  }
}

// How an index finds, in a stretch of a text, the places where a key
// stands: the one thing its two forms do differently.
class IndexForm {
 public:
  virtual ~IndexForm() = default;
  // Adds to `marks` every pattern of `filed` that stands in `text` with its
  // key at a place in [from, to), `to` at most the text's size.
  virtual void MarkStanding(const FiledPatterns& filed,
                            std::u16string_view text, std::size_t from,
                            std::size_t to, SmallBitSet& marks) const = 0;
};

}  // namespace pimoru

#endif  // PIMORU_HANGUL_FILED_PATTERNS_H_
