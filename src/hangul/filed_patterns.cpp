#include "hangul/filed_patterns.h"

#include <algorithm>
#include <cassert>
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
  if (pattern.size() == 1) return FiledPatterns::LetterKey(pattern[0]);
  return FiledPatterns::PairKey(pattern[at], pattern[at + 1]);
}

}  // namespace

FiledPatterns::FiledPatterns(std::vector<std::u16string_view> patterns)
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
    // The first pair in key order that every pattern holds.
    const std::uint64_t key = same_key.front() >> kPlaceBits;
    if (holders == patterns_.size() && empty_.empty() &&
        shared_pair().empty() && (key >> 32) == 0) {
      shared_pair_ = {static_cast<char16_t>(key >> 16),
                      static_cast<char16_t>(key)};
    }
  });
  std::vector<std::uint32_t>().swap(owner);
  std::vector<std::uint32_t>().swap(first_place);

  // Where each pattern's key stands in it.
  for (std::size_t p = 0; p < patterns_.size(); ++p) {
    if (!patterns_[p].empty()) {
      key_offset_[p] = static_cast<std::uint32_t>(rarest[p]);
    }
  }
}

FiledPatterns::Groups FiledPatterns::GroupByKey() const {
  std::vector<std::uint64_t> held;
  held.reserve(patterns_.size());
  for (std::size_t p = 0; p < patterns_.size(); ++p) {
    if (patterns_[p].empty()) continue;
    held.push_back(KeyAt(patterns_[p], key_offset_[p]) << kPlaceBits | p);
  }
  SortByKey(held);
  Groups groups;
  groups.starts.push_back(0);
  groups.numbers.reserve(held.size());
  ForEachRun(held, [&](std::span<const std::uint64_t> same_key) {
    for (const std::uint64_t item : same_key) {
      groups.numbers.push_back(static_cast<std::uint32_t>(item & kPlaceMask));
    }
    groups.keys.push_back(same_key.front() >> kPlaceBits);
    groups.starts.push_back(static_cast<std::uint32_t>(groups.numbers.size()));
  });
  return groups;
}

}  // namespace pimoru
