// Arbitrary bytes as a word-list file of every kind: decoding, line and field
// splitting and entry building must never crash; a bad number is the one
// error allowed.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "hangul/word_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::u16string text = pimoru::DecodeWordListBytes(bytes);
  for (const std::u16string& line : pimoru::SplitLines(text)) {
    pimoru::SplitFields(line);
  }
  for (pimoru::WordListId id : pimoru::kAllWordLists) {
    try {
      pimoru::BuildWordList(id, text, "fuzz");
    } catch (const pimoru::ConversionError&) {
    }
  }
  return 0;
}
