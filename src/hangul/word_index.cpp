#include "hangul/word_index.h"

#include <algorithm>
#include <bit>
#include <string>
#include <unordered_map>

#include "hangul/rules.h"
#include "hangul/word_list.h"

namespace pimoru {
namespace {

// The keys a pattern may be filed under: its letter, or its pairs.
template <typename Visit>
void ForEachKey(std::u16string_view pattern, Visit visit) {
  if (pattern.size() == 1) {
    visit(std::uint64_t{1} << 32 | pattern[0]);
    return;
  }
  for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
    visit(std::uint64_t{pattern[i]} << 16 | pattern[i + 1]);
  }
}

std::vector<std::u16string_view> TextsOf(const WordList& entries) {
  std::vector<std::u16string_view> texts;
  texts.reserve(entries.size());
  for (const WordListEntry& entry : entries) texts.push_back(entry.text);
  return texts;
}

}  // namespace

PatternIndex::PatternIndex(std::span<const std::u16string_view> patterns)
    : pattern_count_(patterns.size()) {
  // How many patterns hold each key.
  std::unordered_map<std::uint64_t, std::uint32_t> holders;
  std::vector<std::uint64_t> keys;
  for (const std::u16string_view pattern : patterns) {
    keys.clear();
    ForEachKey(pattern, [&](std::uint64_t key) { keys.push_back(key); });
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    for (const std::uint64_t key : keys) ++holders[key];
  }

  // Each pattern's rarest key; buckets numbered in order of first use.
  std::unordered_map<std::uint64_t, std::uint32_t> bucket_of_key;
  std::vector<std::uint64_t> bucket_keys;
  std::vector<std::uint32_t> bucket_of_pattern(patterns.size());
  std::vector<std::uint32_t> sizes;
  std::vector<std::size_t> empty_patterns;
  for (std::size_t p = 0; p < patterns.size(); ++p) {
    std::uint64_t best = kNoKey;
    ForEachKey(patterns[p], [&](std::uint64_t key) {
      if (best == kNoKey || holders[key] < holders[best]) best = key;
    });
    if (best == kNoKey) {
      empty_patterns.push_back(p);
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
  const auto always = static_cast<std::uint32_t>(sizes.size());
  sizes.push_back(static_cast<std::uint32_t>(empty_patterns.size()));
  for (const std::size_t p : empty_patterns) bucket_of_pattern[p] = always;

  // Counting sort by bucket keeps each bucket in table order.
  starts_.assign(sizes.size() + 1, 0);
  for (std::size_t b = 0; b < sizes.size(); ++b) {
    starts_[b + 1] = starts_[b] + sizes[b];
  }
  filed_.resize(patterns.size());
  std::vector<std::uint32_t> fill(starts_.begin(), starts_.end() - 1);
  for (std::size_t p = 0; p < patterns.size(); ++p) {
    filed_[fill[bucket_of_pattern[p]]++] = static_cast<std::uint32_t>(p);
  }

  // The key table, at most half full.
  std::size_t slots = 4;
  while (slots < 2 * bucket_keys.size()) slots *= 2;
  shift_ = 64 - std::countr_zero(slots);
  slot_keys_.assign(slots, kNoKey);
  slot_buckets_.assign(slots, 0);
  filter_.assign((std::size_t{1} << kFilterShift) / 64, 0);
  for (std::size_t b = 0; b < bucket_keys.size(); ++b) {
    const std::uint64_t hash = Hash(bucket_keys[b]);
    std::size_t slot = hash >> shift_;
    while (slot_keys_[slot] != kNoKey) slot = (slot + 1) & (slots - 1);
    slot_keys_[slot] = bucket_keys[b];
    has_letter_keys_ = has_letter_keys_ || (bucket_keys[b] >> 32) != 0;
    slot_buckets_[slot] = static_cast<std::uint32_t>(b);
    const std::size_t bit = hash >> (64 - kFilterShift);
    filter_[bit / 64] |= std::uint64_t{1} << (bit % 64);
  }
}

std::int64_t PatternIndex::Probe(std::uint64_t key, std::uint64_t hash) const {
  const std::size_t mask = slot_keys_.size() - 1;
  for (std::size_t slot = hash >> shift_;; slot = (slot + 1) & mask) {
    if (slot_keys_[slot] == key) return slot_buckets_[slot];
    if (slot_keys_[slot] == kNoKey) return -1;
  }
}

PatternCandidates::PatternCandidates(const PatternIndex& index,
                                     std::u16string_view text)
    : index_(index) {
  const std::size_t pattern_words = (index.size() + 63) / 64;
  const std::size_t bucket_words = (index.starts_.size() - 1 + 63) / 64;
  const std::size_t words = pattern_words + bucket_words;
  std::uint64_t* marks = inline_words_.data();
  if (words > kInlineWords) {
    heap_words_.resize(words);
    marks = heap_words_.data();
  }
  std::fill(marks, marks + words, 0);
  marked_patterns_ = marks;
  marked_buckets_ = marks + pattern_words;
  MarkBucket(index.starts_.size() - 2);  // the empty patterns
  Rescan(text);
}

void PatternCandidates::MarkBucket(std::size_t bucket) {
  std::uint64_t& word = marked_buckets_[bucket / 64];
  const std::uint64_t bit = std::uint64_t{1} << (bucket % 64);
  if ((word & bit) != 0) return;
  word |= bit;
  for (std::uint32_t k = index_.starts_[bucket]; k < index_.starts_[bucket + 1];
       ++k) {
    const std::uint32_t p = index_.filed_[k];
    marked_patterns_[p / 64] |= std::uint64_t{1} << (p % 64);
  }
}

void PatternCandidates::Rescan(std::u16string_view text) {
  if (index_.has_letter_keys_) {
    for (const char16_t c : text) {
      const std::int64_t bucket = index_.BucketOf(PatternIndex::LetterKey(c));
      if (bucket >= 0) MarkBucket(static_cast<std::size_t>(bucket));
    }
  }
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    const std::int64_t bucket =
        index_.BucketOf(PatternIndex::PairKey(text[i], text[i + 1]));
    if (bucket >= 0) MarkBucket(static_cast<std::size_t>(bucket));
  }
}

std::size_t PatternCandidates::Next() {
  const std::size_t size = index_.size();
  next_ = NextMarked(marked_patterns_, next_, size);
  return next_ < size ? next_++ : size;
}

IndexedWordList::IndexedWordList(std::shared_ptr<const WordList> entries)
    : entries_(std::move(entries)), index_(TextsOf(*entries_)) {}

}  // namespace pimoru
