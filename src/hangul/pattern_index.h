// An index of an ordered table of patterns (a rule table or a word list) by
// the letters of its patterns.
//
// The stages apply every pattern of a table in order, each over the whole
// text. A pattern that does not stand in the text changes nothing, so a
// stage need only visit the patterns that stand there: a few out of
// hundreds for a sentence. Each pattern is filed under one key, the pair of
// adjacent letters that the fewest other patterns hold (its letter, for a
// pattern of one), and where that key stands in a text the pattern is
// compared whole.
#ifndef PIMORU_HANGUL_PATTERN_INDEX_H_
#define PIMORU_HANGUL_PATTERN_INDEX_H_

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "hangul/jamo_text.h"

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

class PatternIndex {
 public:
  // The patterns must outlive the index. An empty pattern is filed under
  // no key and is always a candidate.
  explicit PatternIndex(std::span<const std::u16string_view> patterns)
      : PatternIndex(std::vector<std::u16string_view>(patterns.begin(),
                                                      patterns.end())) {}
  explicit PatternIndex(std::vector<std::u16string_view> patterns);

  std::size_t size() const { return patterns_.size(); }

  // False when `summary` shows that no pattern can stand in the text.
  bool MayOccur(const LetterSummary& summary) const;
  // The same from the pair that every pattern holds, if there is one: a
  // test of one bit.
  bool MayHoldAny(const LetterSummary& summary) const;
  // Adds to `marks` every pattern that stands in `text` with its key at a
  // place in [from, to).
  void MarkStanding(std::u16string_view text, std::size_t from, std::size_t to,
                    SmallBitSet& marks) const;
  // For an index of few keys: adds to `marks` every pattern all of whose
  // pairs `summary` tells of, without reading the text. Returns false,
  // marking nothing, for an index of many keys, where a text is likely to
  // hold one anyway.
  bool MarkFromSummary(const LetterSummary& summary, SmallBitSet& marks) const;
  // How far before and after a rewritten stretch a pattern that the rewrite
  // formed may have its key.
  std::size_t reach() const { return longest_; }
  void MarkEmpty(SmallBitSet& marks) const {
    for (const std::uint32_t p : empty_) marks.Set(p);
  }

 private:
  static constexpr std::uint64_t kNoKey = ~std::uint64_t{0};
  static std::uint64_t LetterKey(char16_t c) {
    return std::uint64_t{1} << 32 | c;
  }
  static std::uint64_t PairKey(char16_t a, char16_t b) {
    return std::uint64_t{a} << 16 | b;
  }
  static std::uint64_t Hash(std::uint64_t key) {
    return key * 0x9E3779B97F4A7C15ULL;
  }
  static constexpr int kFilterShift = 14;  // 2^14 filter bits
  // The bucket of a key, or -1. Most pairs of a text are in no bucket, and
  // the filter bit says so without a probe.
  std::int64_t BucketOf(std::uint64_t key) const {
    const std::uint64_t hash = Hash(key);
    const std::size_t bit = hash >> (64 - kFilterShift);
    if ((filter_[bit / 64] >> (bit % 64) & 1) == 0) return -1;
    return Probe(key, hash);
  }
  std::int64_t Probe(std::uint64_t key, std::uint64_t hash) const;
  bool BeginsKey(char16_t c) const {
    return (begins_key_[c / 64] >> (c % 64) & 1) != 0;
  }
  void MarkBucket(std::int64_t bucket, std::u16string_view text, std::size_t at,
                  SmallBitSet& marks) const;
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
  void MarkStandingDensely(std::u16string_view text, std::size_t from,
                           std::size_t to, SmallBitSet& marks) const;
  void BuildDense();
  // The hashed form's table from key to bucket, the buckets being filed.
  void BuildHashed(std::span<const std::uint64_t> bucket_keys);
  // The summary's view of the keys.
  void BuildSummary();
  // The letter class of a unit in the dense form: 0 for a letter that is
  // in no key, and past the end of the text.
  std::size_t ClassOf(char16_t c) const {
    return c < kDensePlaces ? class_of_[c] : 0;
  }

  std::vector<std::u16string_view> patterns_;
  std::vector<std::uint32_t> key_offset_;  // where in its pattern the key is
  std::vector<std::uint32_t> empty_;       // the empty patterns
  std::size_t longest_ = 0;
  // Bucket b holds the pattern numbers filed_[starts_[b] .. starts_[b + 1]),
  // ascending.
  std::vector<std::uint32_t> starts_;
  std::vector<std::uint32_t> filed_;
  // Open addressing from key to bucket, a bit per hash to pass over most
  // pairs without a probe, and a bit per letter that begins a key.
  std::vector<std::uint64_t> slot_keys_;
  std::vector<std::uint32_t> slot_buckets_;
  std::vector<std::uint64_t> filter_;
  std::vector<std::uint64_t> begins_key_;
  int shift_ = 64;
  bool has_letter_keys_ = false;
  // The dense form, for a table whose keys are all made of jamo and ASCII
  // (the rule tables): a class per letter and, for a letter of class a
  // before one of class b, the patterns to compare, filed under the pair
  // or under the letter a alone: cell_filed_[cell_starts_[a * classes_ + b]
  // .. the next start). No hashing in the pass over a sentence.
  static constexpr char16_t kDensePlaces = 0x1200;
  // In a cell: the pattern is its key, and stands wherever the cell is hit.
  static constexpr std::uint32_t kWholeKey = std::uint32_t{1} << 31;
  bool dense_ = false;
  std::vector<std::uint8_t> class_of_;
  std::size_t classes_ = 1;
  std::vector<std::uint32_t> cell_starts_;
  std::vector<std::uint32_t> cell_filed_;
  // For the summary: the keys' bits in LetterSummary, distinct, each with the
  // patterns filed under it, key_patterns_[key_starts_[k] ..
  // key_starts_[k + 1]); the bits of all the pairs of pattern p,
  // pattern_bits_[pattern_bit_starts_[p] .. the next); and a pair that every
  // pattern holds, if there is one. No keys when there are many.
  std::vector<std::uint16_t> key_bits_;
  std::vector<std::uint32_t> key_starts_;
  std::vector<std::uint32_t> key_patterns_;
  std::vector<std::uint32_t> pattern_bit_starts_;
  std::vector<std::uint16_t> pattern_bits_;
  bool many_keys_ = false;
  std::int32_t shared_pair_bit_ = -1;
};

// How a run finds the patterns of a table to try on a text: through the
// table's index and the text's summary, or by trying every pattern. The
// second is the reference run that the tests and the fuzzer hold the first
// to; no stage knows which it is in.
enum class Search { kIndexed, kEveryPattern };

// The patterns of an index that may stand in a text, visited in table order.
// After the text is rewritten, Rewritten (or Rescan) brings in the patterns
// that the rewrite may have formed; a pattern so brought in after its turn
// is not visited.
class Candidates {
 public:
  // The patterns that stand in `text`.
  Candidates(const PatternIndex& index, std::u16string_view text,
             Search search = Search::kIndexed);
  // Over the working text of the jamo stages, where an index of few keys
  // takes its candidates from the text's summary.
  Candidates(const PatternIndex& index, JamoText& text,
             Search search = Search::kIndexed);
  Candidates(const Candidates&) = delete;
  Candidates& operator=(const Candidates&) = delete;

  // The number of the next candidate, or the index's size at the end.
  std::size_t Next() {
    next_ = marks_.NextSet(next_);
    return next_ < marks_.size() ? next_++ : marks_.size();
  }
  // After replacements of `length` units written at `written_at` in `text`.
  void Rewritten(std::u16string_view text,
                 std::span<const std::size_t> written_at, std::size_t length);
  // After a rewrite anywhere in the text.
  void Rescan(std::u16string_view text);

 private:
  const PatternIndex& index_;
  SmallBitSet marks_;
  std::size_t next_ = 0;
  JamoText* summary_of_ = nullptr;  // whose summary gives the candidates
  bool every_ = false;
};

}  // namespace pimoru

#endif  // PIMORU_HANGUL_PATTERN_INDEX_H_
