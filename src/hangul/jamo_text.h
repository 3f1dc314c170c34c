// The working text of the jamo stages, with its summary (LetterSummary).
//
// The text keeps its summary in step as rules rewrite it; any other edit
// marks it stale, and it is made again when it is next asked for.
#ifndef PIMORU_HANGUL_JAMO_TEXT_H_
#define PIMORU_HANGUL_JAMO_TEXT_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hangul/letter_summary.h"

namespace pimoru {

class JamoText {
 public:
  JamoText() = default;
  explicit JamoText(std::u16string text) : text_(std::move(text)) {}

  const std::u16string& str() const { return text_; }
  std::u16string_view view() const { return text_; }
  std::size_t size() const { return text_.size(); }

  // The text's summary: of its letters and pairs, and perhaps of some it held
  // before.
  const LetterSummary& Summary();

  // ReplaceAll through the text, noting in `written_at` where each
  // replacement begins in the new text; the summary learns the pairs
  // around each.
  bool ReplaceAll(std::u16string_view pattern, std::u16string_view replacement,
                  std::vector<std::size_t>& written_at);
  // One unit more at each end, and the units at or below U+0020 off both
  // ends again: neither leaves a pair untold.
  void Pad(char16_t unit);
  void Trim();

  // Any other rewrite: the summary is made again when next asked for.
  std::u16string& Edit() {
    stale_ = true;
    return text_;
  }

 private:
  std::u16string text_;
  LetterSummary summary_;
  bool stale_ = true;
};

}  // namespace pimoru

#endif  // PIMORU_HANGUL_JAMO_TEXT_H_
