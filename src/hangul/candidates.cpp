#include "hangul/candidates.h"

namespace pimoru {

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
