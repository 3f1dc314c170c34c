#include "hangul/pattern_index.h"

#include <utility>

#include "hangul/dense_form.h"
#include "hangul/hashed_form.h"

namespace pimoru {
namespace {

// More distinct keys than this and a text is likely to hold one anyway:
// asking the summary would cost more than it saves.
constexpr std::size_t kMostKeysWorthAsking = 64;

// Tables of jamo take the dense form, word lists the hashed one.
std::unique_ptr<const IndexForm> FormFor(const FiledPatterns& filed) {
  if (std::unique_ptr<const IndexForm> dense = DenseForm::Of(filed)) {
    return dense;
  }
  return std::make_unique<const HashedForm>(filed);
}

}  // namespace

SummaryKeys::SummaryKeys(const FiledPatterns& filed) {
  const std::u16string_view shared_pair = filed.shared_pair();
  if (!shared_pair.empty()) {
    shared_pair_bit_ =
        static_cast<std::int32_t>(LetterSummary::KeyBit(shared_pair));
  }
  // The bit of each pattern's key, and how many patterns have each bit.
  std::vector<std::uint16_t> bit_of(filed.size());
  std::vector<std::uint32_t> count;
  std::size_t distinct = 0;
  for (std::size_t p = 0; p < filed.size(); ++p) {
    if (filed.pattern(p).empty()) continue;
    const std::size_t bit = LetterSummary::KeyBit(filed.Key(p));
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
  for (std::size_t p = 0; p < filed.size(); ++p) {
    if (filed.pattern(p).empty()) continue;
    key_patterns_[next[bit_of[p]]++] = static_cast<std::uint32_t>(p);
  }
  pattern_bit_starts_.push_back(0);
  for (std::size_t p = 0; p < filed.size(); ++p) {
    const std::u16string_view pattern = filed.pattern(p);
    ForEachKey(pattern, [&](std::uint64_t, std::size_t at) {
      const std::size_t length = pattern.size() == 1 ? 1 : 2;
      pattern_bits_.push_back(static_cast<std::uint16_t>(
          LetterSummary::KeyBit(pattern.substr(at, length))));
    });
    pattern_bit_starts_.push_back(
        static_cast<std::uint32_t>(pattern_bits_.size()));
  }
}

bool SummaryKeys::MayOccur(const LetterSummary& summary) const {
  if (!MayHoldAny(summary)) return false;
  if (many_keys_) return true;
  for (const std::uint16_t bit : key_bits_) {
    if (summary.Has(bit)) return true;
  }
  return false;
}

bool SummaryKeys::Mark(const LetterSummary& summary, SmallBitSet& marks) const {
  if (many_keys_) return false;
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

PatternIndex::PatternIndex(std::vector<std::u16string_view> patterns)
    : filed_(std::move(patterns)),
      form_(FormFor(filed_)),
      summary_keys_(filed_) {}

}  // namespace pimoru
