#include "hangul/jamo_text.h"

#include "hangul/jamo.h"

namespace pimoru {

void LetterPairs::Add(std::u16string_view stretch) {
  if (stretch.empty()) return;
  Set(LetterBit(stretch[0]));
  for (std::size_t i = 1; i < stretch.size(); ++i) {
    Set(LetterBit(stretch[i]));
    Set(PairBit(stretch[i - 1], stretch[i]));
  }
}

const LetterPairs& JamoText::Letters() {
  if (stale_) {
    letters_.Clear();
    if (plain_) {
      letters_.AddEverything();
    } else {
      letters_.Add(text_);
    }
    stale_ = false;
  }
  return letters_;
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
    letters_.Add(text.substr(from, at + replacement.size() + 1 - from));
  }
  return true;
}

void JamoText::Pad(char16_t unit) {
  text_.insert(text_.begin(), unit);
  text_.push_back(unit);
  if (stale_) return;
  const std::u16string_view text(text_);
  letters_.Add(text.substr(0, 2));
  letters_.Add(text.substr(text.size() - 2));
}

void JamoText::Trim() { TrimInPlace(text_); }

}  // namespace pimoru
