// Indexes of ordered pattern tables (the word lists) by the letters of their
// patterns.
//
// The stages apply every pattern of a table in order, each over the whole
// text. A pattern holds every pair of adjacent letters it is made of, so a
// pattern with a pair that the text does not hold cannot occur and changes
// nothing: a stage need only visit the patterns filed under pairs of its
// text, a few out of hundreds for a sentence.
#ifndef PIMORU_HANGUL_WORD_INDEX_H_
#define PIMORU_HANGUL_WORD_INDEX_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace pimoru {

struct WordListEntry;
using WordList = std::vector<WordListEntry>;

// Each pattern is filed under one key: the pair of adjacent letters (or,
// for a pattern of one letter, the letter) that fewest other patterns hold.
// An empty pattern is filed under none and is always a candidate.
class PatternIndex {
 public:
  explicit PatternIndex(std::span<const std::u16string_view> patterns);

  std::size_t size() const { return pattern_count_; }

 private:
  friend class PatternCandidates;
  static constexpr std::uint64_t kNoKey = ~std::uint64_t{0};

  static std::uint64_t LetterKey(char16_t c) {
    return std::uint64_t{1} << 32 | c;
  }
  static std::uint64_t PairKey(char16_t a, char16_t b) {
    return std::uint64_t{a} << 16 | b;
  }
  // The bucket of a key, or -1. Most keys of a text are in no bucket, and
  // the filter bit, tested inline, says so without a probe.
  std::int64_t BucketOf(std::uint64_t key) const {
    const std::uint64_t hash = Hash(key);
    const std::size_t bit = hash >> (64 - kFilterShift);
    if ((filter_[bit / 64] >> (bit % 64) & 1) == 0) return -1;
    return Probe(key, hash);
  }
  std::int64_t Probe(std::uint64_t key, std::uint64_t hash) const;
  static std::uint64_t Hash(std::uint64_t key) {
    return key * 0x9E3779B97F4A7C15ULL;
  }
  static constexpr int kFilterShift = 14;  // 2^14 filter bits

  std::size_t pattern_count_ = 0;
  // Bucket b holds the pattern numbers filed_[starts_[b] .. starts_[b + 1]),
  // ascending; the last bucket holds the empty patterns.
  std::vector<std::uint32_t> starts_;
  std::vector<std::uint32_t> filed_;
  // Open addressing from key to bucket, and a bit per hash to pass over
  // most of the text's pairs without a probe.
  std::vector<std::uint64_t> slot_keys_;
  std::vector<std::uint32_t> slot_buckets_;
  std::vector<std::uint64_t> filter_;
  int shift_ = 64;
  bool has_letter_keys_ = false;
};

// The patterns of a table that may occur in a text, visited in table order.
// A stage that rewrites the text calls Rescan, and a pattern that only then
// may occur is visited in its turn.
class PatternCandidates {
 public:
  PatternCandidates(const PatternIndex& index, std::u16string_view text);
  PatternCandidates(const PatternCandidates&) = delete;
  PatternCandidates& operator=(const PatternCandidates&) = delete;

  // The number of the next candidate, or size() of the index at the end.
  std::size_t Next();
  // The text as it now stands; the candidates only grow.
  void Rescan(std::u16string_view text);

 private:
  void MarkBucket(std::size_t bucket);

  // The marks of the patterns, then of the buckets: in place for tables of
  // up to a few thousand patterns, so a sentence allocates nothing here.
  static constexpr std::size_t kInlineWords = 64;

  const PatternIndex& index_;
  std::array<std::uint64_t, kInlineWords> inline_words_;
  std::vector<std::uint64_t> heap_words_;
  std::uint64_t* marked_patterns_;
  std::uint64_t* marked_buckets_;
  std::size_t next_ = 0;
};

// The entries of a word list with an index of their texts.
class IndexedWordList {
 public:
  explicit IndexedWordList(std::shared_ptr<const WordList> entries);
  // With an index of its own: one made from as many empty patterns makes
  // every entry a candidate, the plain run the index is checked against.
  IndexedWordList(std::shared_ptr<const WordList> entries, PatternIndex index)
      : entries_(std::move(entries)), index_(std::move(index)) {}

  const WordList& entries() const { return *entries_; }
  const PatternIndex& index() const { return index_; }

 private:
  std::shared_ptr<const WordList> entries_;
  PatternIndex index_;
};

}  // namespace pimoru

#endif  // PIMORU_HANGUL_WORD_INDEX_H_
