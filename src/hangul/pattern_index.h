// An index of an ordered table of patterns (a rule table or a word list) by
// the letters of its patterns.
//
// The stages apply every pattern of a table in order, each over the whole
// text. A pattern that does not stand in the text changes nothing, so a
// stage need only visit the patterns that stand there: a few out of
// hundreds for a sentence. Each pattern is filed under one key
// (FiledPatterns), and the index finds the keys in a text in one of two
// forms: the dense form for a table of jamo (dense_form.h), the hashed one
// for any other (hashed_form.h). A table of few keys can also be read
// through a text's summary (SummaryKeys).
#ifndef PIMORU_HANGUL_PATTERN_INDEX_H_
#define PIMORU_HANGUL_PATTERN_INDEX_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "hangul/filed_patterns.h"
#include "hangul/letter_summary.h"

namespace pimoru {

// For a table of few keys: the keys and the pairs of each pattern as bits of
// a LetterSummary, so that a text's summary gives the candidates without
// the text being read. None for a table of many keys, where a text is likely
// to hold one anyway.
class SummaryKeys {
 public:
  explicit SummaryKeys(const FiledPatterns& filed);

  // False when `summary` shows that no pattern can stand in the text.
  bool MayOccur(const LetterSummary& summary) const;
  // The same from the pair that every pattern holds, if there is one: a
  // test of one bit.
  bool MayHoldAny(const LetterSummary& summary) const {
    return shared_pair_bit_ < 0 ||
           summary.Has(static_cast<std::size_t>(shared_pair_bit_));
  }
  // Adds to `marks` every pattern all of whose pairs `summary` tells of.
  // Returns false, marking nothing, for a table of many keys.
  bool Mark(const LetterSummary& summary, SmallBitSet& marks) const;

 private:
  // The keys' bits, distinct, each with the patterns filed under it,
  // key_patterns_[key_starts_[k] .. key_starts_[k + 1]); and the bits of
  // all the pairs of pattern p, pattern_bits_[pattern_bit_starts_[p] ..
  // the next).
  std::vector<std::uint16_t> key_bits_;
  std::vector<std::uint32_t> key_starts_;
  std::vector<std::uint32_t> key_patterns_;
  std::vector<std::uint32_t> pattern_bit_starts_;
  std::vector<std::uint16_t> pattern_bits_;
  bool many_keys_ = false;
  std::int32_t shared_pair_bit_ = -1;
};

class PatternIndex {
 public:
  // The patterns must outlive the index. An empty pattern is filed under
  // no key and is always a candidate.
  explicit PatternIndex(std::span<const std::u16string_view> patterns)
      : PatternIndex(std::vector<std::u16string_view>(patterns.begin(),
                                                      patterns.end())) {}
  explicit PatternIndex(std::vector<std::u16string_view> patterns);

  std::size_t size() const { return filed_.size(); }
  // How far before and after a rewritten stretch a pattern that the rewrite
  // formed may have its key.
  std::size_t reach() const { return filed_.longest(); }

  void MarkEmpty(SmallBitSet& marks) const {
    for (const std::uint32_t p : filed_.empty()) marks.Set(p);
  }
  // Adds to `marks` every pattern that stands in `text` with its key at a
  // place in [from, to).
  void MarkStanding(std::u16string_view text, std::size_t from, std::size_t to,
                    SmallBitSet& marks) const {
    form_->MarkStanding(filed_, text, from, std::min(to, text.size()), marks);
  }

  // Through a text's summary, as SummaryKeys reads it; the empty patterns
  // stand in every text.
  bool MayOccur(const LetterSummary& summary) const {
    return !filed_.empty().empty() || summary_keys_.MayOccur(summary);
  }
  bool MayHoldAny(const LetterSummary& summary) const {
    return !filed_.empty().empty() || summary_keys_.MayHoldAny(summary);
  }
  bool MarkFromSummary(const LetterSummary& summary, SmallBitSet& marks) const {
    if (!summary_keys_.Mark(summary, marks)) return false;
    MarkEmpty(marks);
    return true;
  }

 private:
  FiledPatterns filed_;
  std::unique_ptr<const IndexForm> form_;
  SummaryKeys summary_keys_;
};

}  // namespace pimoru

#endif  // PIMORU_HANGUL_PATTERN_INDEX_H_
