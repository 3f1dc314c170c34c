#include "pipeline/stage_context.h"

#include <algorithm>

namespace pimoru {
namespace {

// A U+0020 between the last jamo of one Hangul word and the initial of the
// next is a word boundary; next to anything else (punctuation, Latin, a
// line break) it is a pause.
void MarkWordBoundaries(std::u16string& jamo) {
  // One typed by the user is no boundary of ours.
  std::replace(jamo.begin(), jamo.end(), kWordBoundary, u'\uFFFD');
  for (std::size_t i = 1; i + 1 < jamo.size(); ++i) {
    if (jamo[i] == u' ' && (IsMedial(jamo[i - 1]) || IsFinal(jamo[i - 1])) &&
        IsInitial(jamo[i + 1])) {
      jamo[i] = kWordBoundary;
    }
  }
}

}  // namespace

void StageContext::Decompose() {
  if (decomposed) return;
  std::u16string units = DecomposeText(text);
  if (options.phrase_flg) MarkWordBoundaries(units);
  jamo = JamoText(std::move(units));
  decomposed = true;
}

std::u16string StageContext::Composed() const {
  std::u16string shown = ComposeText(jamo.view());
  if (options.phrase_flg) {
    std::replace(shown.begin(), shown.end(), kWordBoundary, u' ');
  }
  return shown;
}

}  // namespace pimoru
