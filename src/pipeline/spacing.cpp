#include "pipeline/stages.h"

#include "hangul/jamo.h"

namespace pimoru {

bool FormatInput(std::u16string& text) {
  const std::u16string trimmed = Trim(text);
  std::u16string out;
  out.reserve(trimmed.size());
  for (const char16_t c : trimmed) {
    // Only the first space of a run survives; tabs and line breaks stay.
    if (c == u' ' && !out.empty() && out.back() == u' ') continue;
    out += c;
  }
  text = std::move(out);
  return false;  // formatting is never reported as a change
}

bool AdjustSpacing(std::u16string&, WordListSource&) { return false; }

bool ApplySpecialWords(std::u16string&, WordListSource&, StageRecord&) {
  return false;
}

}  // namespace pimoru
