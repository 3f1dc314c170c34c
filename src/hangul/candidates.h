// The patterns of a table that a run tries on a text, in table order.
#ifndef PIMORU_HANGUL_CANDIDATES_H_
#define PIMORU_HANGUL_CANDIDATES_H_

#include <cstddef>
#include <span>
#include <string_view>

#include "hangul/jamo_text.h"
#include "hangul/pattern_index.h"

namespace pimoru {

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

#endif  // PIMORU_HANGUL_CANDIDATES_H_
