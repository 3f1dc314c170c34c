#include "hangul/letter_summary.h"

namespace pimoru {

void LetterSummary::Add(std::u16string_view stretch) {
  if (stretch.empty()) return;
  Set(LetterBit(stretch[0]));
  for (std::size_t i = 1; i < stretch.size(); ++i) {
    Set(LetterBit(stretch[i]));
    Set(PairBit(stretch[i - 1], stretch[i]));
  }
}

}  // namespace pimoru
