#include "hangul/jamo_text.h"

#include "hangul/jamo.h"

namespace pimoru {

const LetterSummary& JamoText::Summary() {
  if (stale_) {
    summary_.Clear();
    summary_.Add(text_);
    stale_ = false;
  }
  return summary_;
}

bool JamoText::ReplaceAll(std::u16string_view pattern,
                          std::u16string_view replacement,
                          std::vector<std::size_t>& written_at) {
  const std::size_t first = written_at.size();
  if (!pimoru::ReplaceAll(text_, pattern, replacement, written_at)) {
    return false;
  }
  if (stale_) return true;  // made afresh at the next query anyway
  // New pairs stand only where a replacement was written, from the letter
  // before it to the letter after it.
  const std::u16string_view text(text_);
  for (std::size_t k = first; k < written_at.size(); ++k) {
    const std::size_t at = written_at[k];
    const std::size_t from = at == 0 ? 0 : at - 1;
    summary_.Add(text.substr(from, at + replacement.size() + 1 - from));
  }
  return true;
}

void JamoText::Pad(char16_t unit) {
  text_.insert(text_.begin(), unit);
  text_.push_back(unit);
  if (stale_) return;
  const std::u16string_view text(text_);
  summary_.Add(text.substr(0, 2));
  summary_.Add(text.substr(text.size() - 2));
}

void JamoText::Trim() { TrimInPlace(text_); }

}  // namespace pimoru
