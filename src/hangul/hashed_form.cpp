#include "hangul/hashed_form.h"

#include <bit>
#include <utility>

namespace pimoru {

HashedForm::HashedForm(const FiledPatterns& filed) {
  FiledPatterns::Groups groups = filed.GroupByKey();
  starts_ = std::move(groups.starts);
  numbers_ = std::move(groups.numbers);
  // The key table, at most half full.
  const std::vector<std::uint64_t>& keys = groups.keys;
  std::size_t slots = 4;
  while (slots < 2 * keys.size()) slots *= 2;
  shift_ = 64 - std::countr_zero(slots);
  slot_keys_.assign(slots, kNoKey);
  slot_buckets_.assign(slots, 0);
  filter_.assign((std::size_t{1} << kFilterShift) / 64, 0);
  begins_key_.assign(0x10000 / 64, 0);
  for (std::size_t b = 0; b < keys.size(); ++b) {
    const std::uint64_t key = keys[b];
    const std::uint64_t hash = Hash(key);
    std::size_t slot = hash >> shift_;
    while (slot_keys_[slot] != kNoKey) slot = (slot + 1) & (slots - 1);
    slot_keys_[slot] = key;
    slot_buckets_[slot] = static_cast<std::uint32_t>(b);
    const std::size_t bit = hash >> (64 - kFilterShift);
    filter_[bit / 64] |= std::uint64_t{1} << (bit % 64);
    const bool letter_key = (key >> 32) != 0;
    has_letter_keys_ = has_letter_keys_ || letter_key;
    const char16_t first = static_cast<char16_t>(letter_key ? key : key >> 16);
    begins_key_[first / 64] |= std::uint64_t{1} << (first % 64);
  }
}

std::int64_t HashedForm::Probe(std::uint64_t key, std::uint64_t hash) const {
  const std::size_t mask = slot_keys_.size() - 1;
  for (std::size_t slot = hash >> shift_;; slot = (slot + 1) & mask) {
    if (slot_keys_[slot] == key) return slot_buckets_[slot];
    if (slot_keys_[slot] == kNoKey) return -1;
  }
}

void HashedForm::MarkBucket(const FiledPatterns& filed, std::int64_t bucket,
                            std::u16string_view text, std::size_t at,
                            SmallBitSet& marks) const {
  const auto b = static_cast<std::size_t>(bucket);
  for (std::uint32_t k = starts_[b]; k < starts_[b + 1]; ++k) {
    filed.MarkIfStanding(numbers_[k], text, at, marks);
  }
}

void HashedForm::MarkStanding(const FiledPatterns& filed,
                              std::u16string_view text, std::size_t from,
                              std::size_t to, SmallBitSet& marks) const {
  const std::size_t n = text.size();
  for (std::size_t i = from; i < to; ++i) {
    const char16_t c = text[i];
    // Most letters begin no key: a small table's test ends here.
    if (!BeginsKey(c)) continue;
    if (has_letter_keys_) {
      const std::int64_t bucket = BucketOf(FiledPatterns::LetterKey(c));
      if (bucket >= 0) MarkBucket(filed, bucket, text, i, marks);
    }
    if (i + 1 < n) {
      const std::int64_t bucket =
          BucketOf(FiledPatterns::PairKey(c, text[i + 1]));
      if (bucket >= 0) MarkBucket(filed, bucket, text, i, marks);
    }
  }
}

}  // namespace pimoru
