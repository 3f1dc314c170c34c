#include "hangul/pattern_index.h"

#include <algorithm>
#include <cassert>
#include <string>
#include <unordered_map>
#include <utility>

namespace pimoru {

SmallBitSet::SmallBitSet(std::size_t size) : size_(size) {
  const std::size_t words = (size + 63) / 64;
  if (words > inline_.size()) heap_.resize(words);
  words_ = heap_.empty() ? inline_.data() : heap_.data();
  std::fill(words_, words_ + words, 0);
}

void SmallBitSet::SetAll() {
  const std::size_t words = (size_ + 63) / 64;
  std::fill(words_, words_ + words, ~std::uint64_t{0});
}

namespace {

// The keys a pattern may be filed under, with where each begins: its
// letter, or its pairs.
template <typename Visit>
void ForEachKey(std::u16string_view pattern, Visit visit) {
  if (pattern.size() == 1) {
    visit(std::uint64_t{1} << 32 | pattern[0], std::size_t{0});
    return;
  }
  for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
    visit(std::uint64_t{pattern[i]} << 16 | pattern[i + 1], i);
  }
}

// More distinct keys than this and a text is likely to hold one anyway:
// asking the summary would cost more than it saves.
constexpr std::size_t kMostKeysWorthAsking = 64;

}  // namespace

PatternIndex::PatternIndex(std::span<const std::u16string_view> patterns)
    : patterns_(patterns.begin(), patterns.end()),
      key_offset_(patterns.size(), 0) {
  assert(patterns.size() < 0xFFFFFFFFu);
  // How many patterns hold each key.
  std::unordered_map<std::uint64_t, std::uint32_t> holders;
  std::vector<std::uint64_t> keys;
  for (const std::u16string_view pattern : patterns_) {
    longest_ = std::max(longest_, pattern.size());
    keys.clear();
    ForEachKey(pattern,
               [&](std::uint64_t key, std::size_t) { keys.push_back(key); });
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    for (const std::uint64_t key : keys) ++holders[key];
  }

  // Each pattern's rarest key (the first of them); buckets numbered in
  // order of first use.
  std::unordered_map<std::uint64_t, std::uint32_t> bucket_of_key;
  std::vector<std::uint64_t> bucket_keys;
  std::vector<std::uint32_t> bucket_of_pattern(patterns_.size());
  std::vector<std::uint32_t> sizes;
  for (std::size_t p = 0; p < patterns_.size(); ++p) {
    std::uint64_t best = kNoKey;
    ForEachKey(patterns_[p], [&](std::uint64_t key, std::size_t at) {
      if (best == kNoKey || holders[key] < holders[best]) {
        best = key;
        key_offset_[p] = static_cast<std::uint32_t>(at);
      }
    });
    if (best == kNoKey) {
      empty_.push_back(static_cast<std::uint32_t>(p));
      continue;
    }
    auto [it, added] = bucket_of_key.try_emplace(
        best, static_cast<std::uint32_t>(bucket_keys.size()));
    if (added) {
      bucket_keys.push_back(best);
      sizes.push_back(0);
    }
    bucket_of_pattern[p] = it->second;
    ++sizes[it->second];
  }

  // Tables of jamo take the dense form, word lists the hashed one.
  BuildDense();
  if (!dense_) BuildHashed(bucket_keys, bucket_of_pattern, sizes);

  // The summary's view: the bits of the keys, and of every pair.
  std::vector<std::pair<std::uint16_t, std::uint32_t>> by_bit;
  for (std::size_t p = 0; p < patterns_.size(); ++p) {
    const std::u16string_view pattern = patterns_[p];
    if (pattern.empty()) continue;
    const std::size_t key_length = pattern.size() == 1 ? 1 : 2;
    by_bit.emplace_back(static_cast<std::uint16_t>(LetterPairs::KeyBit(
                            pattern.substr(key_offset_[p], key_length))),
                        static_cast<std::uint32_t>(p));
  }
  std::sort(by_bit.begin(), by_bit.end());
  for (std::size_t i = 0; i < by_bit.size(); ++i) {
    if (i == 0 || by_bit[i].first != by_bit[i - 1].first) {
      key_bits_.push_back(by_bit[i].first);
      key_starts_.push_back(static_cast<std::uint32_t>(i));
    }
    key_patterns_.push_back(by_bit[i].second);
  }
  key_starts_.push_back(static_cast<std::uint32_t>(key_patterns_.size()));
  if (key_bits_.size() > kMostKeysWorthAsking) {
    many_keys_ = true;
    key_bits_ = {};
    key_starts_ = {};
    key_patterns_ = {};
  } else {
    pattern_bit_starts_.push_back(0);
    for (const std::u16string_view pattern : patterns_) {
      ForEachKey(pattern, [&](std::uint64_t, std::size_t at) {
        const std::size_t length = pattern.size() == 1 ? 1 : 2;
        pattern_bits_.push_back(static_cast<std::uint16_t>(
            LetterPairs::KeyBit(pattern.substr(at, length))));
      });
      pattern_bit_starts_.push_back(
          static_cast<std::uint32_t>(pattern_bits_.size()));
    }
  }
  // A pair that every pattern holds (ㅁ니 in each colloquial ending): a
  // text without it holds none of them.
  if (!patterns_.empty() && empty_.empty()) {
    ForEachKey(patterns_[0], [&](std::uint64_t key, std::size_t at) {
      if (shared_pair_bit_ < 0 && (key >> 32) == 0 &&
          holders[key] == patterns_.size()) {
        shared_pair_bit_ = static_cast<std::int32_t>(
            LetterPairs::KeyBit(patterns_[0].substr(at, 2)));
      }
    });
  }
}

std::int64_t PatternIndex::Probe(std::uint64_t key, std::uint64_t hash) const {
  const std::size_t mask = slot_keys_.size() - 1;
  for (std::size_t slot = hash >> shift_;; slot = (slot + 1) & mask) {
    if (slot_keys_[slot] == key) return slot_buckets_[slot];
    if (slot_keys_[slot] == kNoKey) return -1;
  }
}

bool PatternIndex::MayHoldAny(const LetterPairs& letters) const {
  return !empty_.empty() || shared_pair_bit_ < 0 ||
         letters.Has(static_cast<std::size_t>(shared_pair_bit_));
}

bool PatternIndex::MayOccur(const LetterPairs& letters) const {
  if (!MayHoldAny(letters)) return false;
  if (many_keys_ || !empty_.empty()) return true;
  for (const std::uint16_t bit : key_bits_) {
    if (letters.Has(bit)) return true;
  }
  return false;
}

void PatternIndex::BuildHashed(std::span<const std::uint64_t> bucket_keys,
                               std::span<const std::uint32_t> bucket_of_pattern,
                               std::span<const std::uint32_t> sizes) {
  // Counting sort by bucket keeps each bucket in table order.
  starts_.assign(sizes.size() + 1, 0);
  for (std::size_t b = 0; b < sizes.size(); ++b) {
    starts_[b + 1] = starts_[b] + sizes[b];
  }
  filed_.resize(starts_.back());
  std::vector<std::uint32_t> fill(starts_.begin(), starts_.end() - 1);
  for (std::size_t p = 0; p < patterns_.size(); ++p) {
    if (patterns_[p].empty()) continue;
    filed_[fill[bucket_of_pattern[p]]++] = static_cast<std::uint32_t>(p);
  }

  // The key table, at most half full.
  std::size_t slots = 4;
  while (slots < 2 * bucket_keys.size()) slots *= 2;
  shift_ = 64 - std::countr_zero(slots);
  slot_keys_.assign(slots, kNoKey);
  slot_buckets_.assign(slots, 0);
  filter_.assign((std::size_t{1} << kFilterShift) / 64, 0);
  begins_key_.assign(0x10000 / 64, 0);
  for (std::size_t b = 0; b < bucket_keys.size(); ++b) {
    const std::uint64_t key = bucket_keys[b];
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

void PatternIndex::BuildDense() {
  // Past 255 letters the dense form would need wider classes; such a table
  // is a word list, for which hashing is the better form anyway.
  std::vector<std::uint8_t> class_of(kDensePlaces, 0);
  std::size_t classes = 1;
  for (std::size_t p = 0; p < patterns_.size(); ++p) {
    const std::u16string_view pattern = patterns_[p];
    const std::size_t key_length = std::min<std::size_t>(pattern.size(), 2);
    for (const char16_t letter : pattern.substr(key_offset_[p], key_length)) {
      if (letter >= kDensePlaces) return;
      if (class_of[letter] != 0) continue;
      if (classes == 256) return;
      class_of[letter] = static_cast<std::uint8_t>(classes++);
    }
  }
  std::vector<std::vector<std::uint32_t>> cells(classes * classes);
  for (std::size_t p = 0; p < patterns_.size(); ++p) {
    const std::u16string_view pattern = patterns_[p];
    if (pattern.empty()) continue;
    const std::size_t first = class_of[pattern[key_offset_[p]]];
    // Every letter has a class of its own, so where the key of a pattern
    // of one or two letters stands, the pattern stands.
    const auto number =
        static_cast<std::uint32_t>(p) | (pattern.size() <= 2 ? kWholeKey : 0);
    if (pattern.size() == 1) {
      for (std::size_t next = 0; next < classes; ++next) {
        cells[first * classes + next].push_back(number);
      }
    } else {
      cells[first * classes + class_of[pattern[key_offset_[p] + 1]]].push_back(
          number);
    }
  }
  cell_starts_.reserve(cells.size() + 1);
  cell_starts_.push_back(0);
  for (const std::vector<std::uint32_t>& cell : cells) {
    cell_filed_.insert(cell_filed_.end(), cell.begin(), cell.end());
    cell_starts_.push_back(static_cast<std::uint32_t>(cell_filed_.size()));
  }
  class_of_ = std::move(class_of);
  classes_ = classes;
  dense_ = true;
}

void PatternIndex::MarkBucket(std::int64_t bucket, std::u16string_view text,
                              std::size_t at, SmallBitSet& marks) const {
  const auto b = static_cast<std::size_t>(bucket);
  for (std::uint32_t k = starts_[b]; k < starts_[b + 1]; ++k) {
    MarkIfStanding(filed_[k], text, at, marks);
  }
}

void PatternIndex::MarkStandingDensely(std::u16string_view text,
                                       std::size_t from, std::size_t to,
                                       SmallBitSet& marks) const {
  const std::size_t n = text.size();
  std::size_t first = from < n ? ClassOf(text[from]) : 0;
  for (std::size_t i = from; i < to; ++i) {
    const std::size_t next = i + 1 < n ? ClassOf(text[i + 1]) : 0;
    // A letter of class 0 begins no key: most letters, for a small table.
    if (first != 0) {
      const std::size_t cell = first * classes_ + next;
      for (std::uint32_t k = cell_starts_[cell]; k < cell_starts_[cell + 1];
           ++k) {
        const std::uint32_t filed = cell_filed_[k];
        if ((filed & kWholeKey) != 0) {
          marks.Set(filed & ~kWholeKey);
        } else {
          MarkIfStanding(filed, text, i, marks);
        }
      }
    }
    first = next;
  }
}

void PatternIndex::MarkStanding(std::u16string_view text, std::size_t from,
                                std::size_t to, SmallBitSet& marks) const {
  const std::size_t n = text.size();
  to = std::min(to, n);
  if (dense_) {
    MarkStandingDensely(text, from, to, marks);
    return;
  }
  for (std::size_t i = from; i < to; ++i) {
    const char16_t c = text[i];
    // Most letters begin no key: a small table's test ends here.
    if (!BeginsKey(c)) continue;
    if (has_letter_keys_) {
      const std::int64_t bucket = BucketOf(LetterKey(c));
      if (bucket >= 0) MarkBucket(bucket, text, i, marks);
    }
    if (i + 1 < n) {
      const std::int64_t bucket = BucketOf(PairKey(c, text[i + 1]));
      if (bucket >= 0) MarkBucket(bucket, text, i, marks);
    }
  }
}

bool PatternIndex::MarkTold(const LetterPairs& letters,
                            SmallBitSet& marks) const {
  if (many_keys_) return false;
  MarkEmpty(marks);
  for (std::size_t k = 0; k < key_bits_.size(); ++k) {
    if (!letters.Has(key_bits_[k])) continue;
    for (std::uint32_t i = key_starts_[k]; i < key_starts_[k + 1]; ++i) {
      const std::uint32_t p = key_patterns_[i];
      bool all_told = true;
      for (std::uint32_t b = pattern_bit_starts_[p];
           all_told && b < pattern_bit_starts_[p + 1]; ++b) {
        all_told = letters.Has(pattern_bits_[b]);
      }
      if (all_told) marks.Set(p);
    }
  }
  return true;
}

Candidates::Candidates(const PatternIndex& index, std::u16string_view text,
                       bool every)
    : index_(index), marks_(index.size()) {
  if (every) {
    all_ = true;
    marks_.SetAll();
    return;
  }
  index_.MarkEmpty(marks_);
  index_.MarkStanding(text, 0, text.size(), marks_);
}

Candidates::Candidates(const PatternIndex& index, JamoText& text)
    : index_(index), marks_(index.size()) {
  if (text.plain()) {
    all_ = true;
    marks_.SetAll();
  } else if (!index_.MayHoldAny(text.Letters())) {
    return;  // none can stand: no candidate, and so no rewrite
  } else if (index_.MarkTold(text.Letters(), marks_)) {
    told_by_ = &text;
  } else {
    index_.MarkEmpty(marks_);
    index_.MarkStanding(text.view(), 0, text.size(), marks_);
  }
}

void Candidates::Rewritten(std::u16string_view text,
                           std::span<const std::size_t> written_at,
                           std::size_t length) {
  if (all_) return;
  if (told_by_ != nullptr) {
    index_.MarkTold(told_by_->Letters(), marks_);
    return;
  }
  const std::size_t reach = index_.reach();
  for (const std::size_t at : written_at) {
    const std::size_t from = at > reach ? at - reach : 0;
    index_.MarkStanding(text, from, at + length + reach, marks_);
  }
}

void Candidates::Rescan(std::u16string_view text) {
  if (all_) return;
  if (told_by_ != nullptr) {
    index_.MarkTold(told_by_->Letters(), marks_);
    return;
  }
  index_.MarkStanding(text, 0, text.size(), marks_);
}

}  // namespace pimoru
