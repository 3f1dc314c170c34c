#include "hangul/pattern_index.h"

#include <algorithm>
#include <cassert>
#include <string>
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

// A key (of 33 bits: a letter's key has bit 32) above a place in the table
// or a pattern's number, in one number.
constexpr int kKeyBits = 33;
constexpr int kPlaceBits = 64 - kKeyBits;
constexpr std::uint64_t kPlaceMask = (std::uint64_t{1} << kPlaceBits) - 1;

// Sorts by the key, keeping the order of items with equal keys: three
// stable passes of eleven bits each, in linear time. A few items (a rule
// table) are sorted whole instead, which gives the same order: the items
// of one key hold their patterns' numbers in ascending order.
void SortByKey(std::vector<std::uint64_t>& items) {
  constexpr std::size_t kFewItems = 1 << 12;
  if (items.size() < kFewItems) {
    std::sort(items.begin(), items.end());
    return;
  }
  constexpr int kDigitBits = 11;
  constexpr std::size_t kDigits = std::size_t{1} << kDigitBits;
  std::vector<std::uint64_t> sorted(items.size());
  std::vector<std::size_t> starts(kDigits);
  for (int shift = kPlaceBits; shift < 64; shift += kDigitBits) {
    std::fill(starts.begin(), starts.end(), 0);
    for (const std::uint64_t item : items) {
      ++starts[item >> shift & (kDigits - 1)];
    }
    std::size_t start = 0;
    for (std::size_t& digit_start : starts) {
      start += std::exchange(digit_start, start);
    }
    for (const std::uint64_t item : items) {
      sorted[starts[item >> shift & (kDigits - 1)]++] = item;
    }
    items.swap(sorted);
  }
}

// Calls visit(run) for each run of items with one key, in order.
template <typename Visit>
void ForEachRun(std::span<const std::uint64_t> items, Visit visit) {
  std::size_t begin = 0;
  while (begin < items.size()) {
    const std::uint64_t key = items[begin] >> kPlaceBits;
    std::size_t end = begin + 1;
    while (end < items.size() && items[end] >> kPlaceBits == key) ++end;
    visit(items.subspan(begin, end - begin));
    begin = end;
  }
}

// The key of `pattern` that stands at `at`, as ForEachKey gives it.
std::uint64_t KeyAt(std::u16string_view pattern, std::size_t at) {
  if (pattern.size() == 1) return std::uint64_t{1} << 32 | pattern[0];
  return std::uint64_t{pattern[at]} << 16 | pattern[at + 1];
}

}  // namespace

PatternIndex::PatternIndex(std::vector<std::u16string_view> patterns)
    : patterns_(std::move(patterns)), key_offset_(patterns_.size(), 0) {
  // Every key of every pattern at its place in the table (the patterns one
  // after another, each with its keys in order), as one number with the key
  // above the place: sorted, the keys in order, each with its places in
  // table order. Sorted by radix and read in runs, so that a list of
  // millions of entries is indexed in time and memory in proportion to its
  // letters.
  std::vector<std::uint32_t> first_place;  // each pattern's, and the end
  first_place.reserve(patterns_.size() + 1);
  std::size_t places = 0;
  for (const std::u16string_view pattern : patterns_) {
    first_place.push_back(static_cast<std::uint32_t>(places));
    places +=
        pattern.size() == 1 ? 1 : std::max<std::size_t>(pattern.size(), 1) - 1;
  }
  first_place.push_back(static_cast<std::uint32_t>(places));
  assert(places < (std::uint64_t{1} << kPlaceBits) &&
         patterns_.size() < (std::uint64_t{1} << kPlaceBits));
  std::vector<std::uint32_t> owner(places);  // the pattern of each place
  std::vector<std::uint64_t> held;
  held.reserve(places);
  for (std::size_t p = 0; p < patterns_.size(); ++p) {
    longest_ = std::max(longest_, patterns_[p].size());
    if (patterns_[p].empty()) empty_.push_back(static_cast<std::uint32_t>(p));
    ForEachKey(patterns_[p], [&](std::uint64_t key, std::size_t at) {
      const std::size_t place = first_place[p] + at;
      owner[place] = static_cast<std::uint32_t>(p);
      held.push_back(key << kPlaceBits | place);
    });
  }
  SortByKey(held);

  // Each pattern's rarest key: held by the fewest patterns, the first in
  // the pattern among equals; both in one number, the count above the
  // place in the pattern, so that the least number wins.
  std::vector<std::uint64_t> rarest(patterns_.size(), ~std::uint64_t{0});
  ForEachRun(held, [&](std::span<const std::uint64_t> same_key) {
    // The places of one pattern stand together, in order.
    std::size_t holders = 0;
    for (std::size_t k = 0; k < same_key.size(); ++k) {
      holders += k == 0 || owner[same_key[k] & kPlaceMask] !=
                               owner[same_key[k - 1] & kPlaceMask];
    }
    for (const std::uint64_t item : same_key) {
      const std::size_t place = item & kPlaceMask;
      const std::uint32_t p = owner[place];
      const std::uint64_t rank =
          std::uint64_t{holders} << 32 | (place - first_place[p]);
      rarest[p] = std::min(rarest[p], rank);
    }
    // A pair that every pattern holds (ㅁ니 in each colloquial ending): a
    // text without it holds none of them.
    const std::uint64_t key = same_key.front() >> kPlaceBits;
    if (holders == patterns_.size() && empty_.empty() && shared_pair_bit_ < 0 &&
        (key >> 32) == 0) {
      const char16_t pair[] = {static_cast<char16_t>(key >> 16),
                               static_cast<char16_t>(key)};
      shared_pair_bit_ = static_cast<std::int32_t>(
          LetterSummary::KeyBit(std::u16string_view(pair, 2)));
    }
  });
  std::vector<std::uint32_t>().swap(owner);
  std::vector<std::uint32_t>().swap(first_place);

  // Where each pattern's key stands in it; and the patterns by their keys,
  // for the buckets: one per key, in key order, each holding its patterns
  // in table order.
  held.clear();
  for (std::size_t p = 0; p < patterns_.size(); ++p) {
    if (patterns_[p].empty()) continue;
    key_offset_[p] = static_cast<std::uint32_t>(rarest[p]);
    held.push_back(KeyAt(patterns_[p], key_offset_[p]) << kPlaceBits | p);
  }
  std::vector<std::uint64_t>().swap(rarest);
  SortByKey(held);
  std::vector<std::uint64_t> bucket_keys;
  starts_.push_back(0);
  ForEachRun(held, [&](std::span<const std::uint64_t> same_key) {
    for (const std::uint64_t item : same_key) {
      filed_.push_back(static_cast<std::uint32_t>(item & kPlaceMask));
    }
    bucket_keys.push_back(same_key.front() >> kPlaceBits);
    starts_.push_back(static_cast<std::uint32_t>(filed_.size()));
  });
  std::vector<std::uint64_t>().swap(held);

  // Tables of jamo take the dense form, word lists the hashed one.
  BuildDense();
  if (dense_) {
    starts_ = {};
    filed_ = {};
  } else {
    BuildHashed(bucket_keys);
  }
  BuildSummary();
}

std::int64_t PatternIndex::Probe(std::uint64_t key, std::uint64_t hash) const {
  const std::size_t mask = slot_keys_.size() - 1;
  for (std::size_t slot = hash >> shift_;; slot = (slot + 1) & mask) {
    if (slot_keys_[slot] == key) return slot_buckets_[slot];
    if (slot_keys_[slot] == kNoKey) return -1;
  }
}

bool PatternIndex::MayHoldAny(const LetterSummary& summary) const {
  return !empty_.empty() || shared_pair_bit_ < 0 ||
         summary.Has(static_cast<std::size_t>(shared_pair_bit_));
}

bool PatternIndex::MayOccur(const LetterSummary& summary) const {
  if (!MayHoldAny(summary)) return false;
  if (many_keys_ || !empty_.empty()) return true;
  for (const std::uint16_t bit : key_bits_) {
    if (summary.Has(bit)) return true;
  }
  return false;
}

void PatternIndex::BuildHashed(std::span<const std::uint64_t> bucket_keys) {
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

void PatternIndex::BuildSummary() {
  // The bit of each pattern's key, and how many patterns have each bit.
  std::vector<std::uint16_t> bit_of(patterns_.size());
  std::vector<std::uint32_t> count;
  std::size_t distinct = 0;
  for (std::size_t p = 0; p < patterns_.size(); ++p) {
    const std::u16string_view pattern = patterns_[p];
    if (pattern.empty()) continue;
    const std::size_t key_length = pattern.size() == 1 ? 1 : 2;
    const std::size_t bit =
        LetterSummary::KeyBit(pattern.substr(key_offset_[p], key_length));
    bit_of[p] = static_cast<std::uint16_t>(bit);
    if (bit >= count.size()) count.resize(bit + 1, 0);
    distinct += count[bit]++ == 0;
  }
  if (distinct > kMostKeysWorthAsking) {
    many_keys_ = true;
    return;
  }
  // The patterns by bit, each bit's in table order.
  std::vector<std::uint32_t> next(count.size());
  std::uint32_t start = 0;
  for (std::size_t bit = 0; bit < count.size(); ++bit) {
    if (count[bit] == 0) continue;
    key_bits_.push_back(static_cast<std::uint16_t>(bit));
    key_starts_.push_back(start);
    next[bit] = start;
    start += count[bit];
  }
  key_starts_.push_back(start);
  key_patterns_.resize(start);
  for (std::size_t p = 0; p < patterns_.size(); ++p) {
    if (patterns_[p].empty()) continue;
    key_patterns_[next[bit_of[p]]++] = static_cast<std::uint32_t>(p);
  }
  pattern_bit_starts_.push_back(0);
  for (const std::u16string_view pattern : patterns_) {
    ForEachKey(pattern, [&](std::uint64_t, std::size_t at) {
      const std::size_t length = pattern.size() == 1 ? 1 : 2;
      pattern_bits_.push_back(static_cast<std::uint16_t>(
          LetterSummary::KeyBit(pattern.substr(at, length))));
    });
    pattern_bit_starts_.push_back(
        static_cast<std::uint32_t>(pattern_bits_.size()));
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

bool PatternIndex::MarkFromSummary(const LetterSummary& summary,
                                   SmallBitSet& marks) const {
  if (many_keys_) return false;
  MarkEmpty(marks);
  for (std::size_t k = 0; k < key_bits_.size(); ++k) {
    if (!summary.Has(key_bits_[k])) continue;
    for (std::uint32_t i = key_starts_[k]; i < key_starts_[k + 1]; ++i) {
      const std::uint32_t p = key_patterns_[i];
      bool all_held = true;
      for (std::uint32_t b = pattern_bit_starts_[p];
           all_held && b < pattern_bit_starts_[p + 1]; ++b) {
        all_held = summary.Has(pattern_bits_[b]);
      }
      if (all_held) marks.Set(p);
    }
  }
  return true;
}

Candidates::Candidates(const PatternIndex& index, std::u16string_view text,
                       Search search)
    : index_(index), marks_(index.size()) {
  if (search == Search::kEveryPattern) {
    every_ = true;
    marks_.SetAll();
    return;
  }
  index_.MarkEmpty(marks_);
  index_.MarkStanding(text, 0, text.size(), marks_);
}

Candidates::Candidates(const PatternIndex& index, JamoText& text, Search search)
    : index_(index), marks_(index.size()) {
  if (search == Search::kEveryPattern) {
    every_ = true;
    marks_.SetAll();
  } else if (!index_.MayHoldAny(text.Summary())) {
    return;  // none can stand: no candidate, and so no rewrite
  } else if (index_.MarkFromSummary(text.Summary(), marks_)) {
    summary_of_ = &text;
  } else {
    index_.MarkEmpty(marks_);
    index_.MarkStanding(text.view(), 0, text.size(), marks_);
  }
}

void Candidates::Rewritten(std::u16string_view text,
                           std::span<const std::size_t> written_at,
                           std::size_t length) {
  if (every_) return;
  if (summary_of_ != nullptr) {
    index_.MarkFromSummary(summary_of_->Summary(), marks_);
    return;
  }
  const std::size_t reach = index_.reach();
  for (const std::size_t at : written_at) {
    const std::size_t from = at > reach ? at - reach : 0;
    index_.MarkStanding(text, from, at + length + reach, marks_);
  }
}

void Candidates::Rescan(std::u16string_view text) {
  if (every_) return;
  if (summary_of_ != nullptr) {
    index_.MarkFromSummary(summary_of_->Summary(), marks_);
    return;
  }
  index_.MarkStanding(text, 0, text.size(), marks_);
}

}  // namespace pimoru
