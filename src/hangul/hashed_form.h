// The hashed form of a pattern index, for a table of any letters (the word
// lists): open addressing from key to the patterns filed under it, with a
// bit per hash to pass over most pairs of a text without a probe, and a bit
// per letter that begins a key.
#ifndef PIMORU_HANGUL_HASHED_FORM_H_
#define PIMORU_HANGUL_HASHED_FORM_H_

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "hangul/filed_patterns.h"

namespace pimoru {

class HashedForm : public IndexForm {
 public:
  explicit HashedForm(const FiledPatterns& filed);

  void MarkStanding(const FiledPatterns& filed, std::u16string_view text,
                    std::size_t from, std::size_t to,
                    SmallBitSet& marks) const override;

 private:
  static constexpr std::uint64_t kNoKey = ~std::uint64_t{0};
  static constexpr int kFilterShift = 14;  // 2^14 filter bits

  static std::uint64_t Hash(std::uint64_t key) {
    return key * 0x9E3779B97F4A7C15ULL;
  }
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
  void MarkBucket(const FiledPatterns& filed, std::int64_t bucket,
                  std::u16string_view text, std::size_t at,
                  SmallBitSet& marks) const;

  // Bucket b holds the patterns numbers_[starts_[b] .. starts_[b + 1]), in
  // table order.
  std::vector<std::uint32_t> starts_;
  std::vector<std::uint32_t> numbers_;
  std::vector<std::uint64_t> slot_keys_;
  std::vector<std::uint32_t> slot_buckets_;
  std::vector<std::uint64_t> filter_;
  std::vector<std::uint64_t> begins_key_;
  int shift_ = 64;
  bool has_letter_keys_ = false;
};

}  // namespace pimoru

#endif  // PIMORU_HANGUL_HASHED_FORM_H_
