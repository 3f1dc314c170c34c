// Arbitrary bytes as a word-list file of every kind: decoding, line and field
// splitting and entry building must never crash; bytes that are not UTF-8
// or UTF-16 text and a bad number are the errors allowed. The index of each
// list must name every entry whose text stands in a text (here the file's own
// first and last lines).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "hangul/pattern_index.h"
#include "hangul/word_list.h"

namespace {

void CheckIndex(const pimoru::IndexedWordList& list, std::u16string_view text) {
  const pimoru::WordList& entries = list.entries();
  std::vector<bool> candidate(entries.size(), false);
  pimoru::Candidates candidates(list.index(), text);
  for (std::size_t k = candidates.Next(); k < entries.size();
       k = candidates.Next()) {
    candidate[k] = true;
  }
  // Exactly the entries that stand in the text.
  for (std::size_t k = 0; k < entries.size(); ++k) {
    const std::u16string& pattern = entries[k].text;
    const bool occurs =
        pattern.empty() || text.find(pattern) != std::u16string_view::npos;
    if (occurs != candidate[k]) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::u16string text;
  try {
    text = pimoru::DecodeWordListBytes(bytes, "fuzz");
  } catch (const pimoru::ConversionError&) {
    return 0;
  }
  // Decoded text holds no NUL: it would have cut entries short.
  if (text.find(u'\0') != std::u16string::npos) std::abort();
  const std::vector<std::u16string> lines = pimoru::SplitLines(text);
  for (const std::u16string& line : lines) pimoru::SplitFields(line);
  for (pimoru::WordListId id : pimoru::kAllWordLists) {
    try {
      const pimoru::IndexedWordList list(
          pimoru::BuildWordList(id, text, "fuzz"));
      if (list.entries().size() > lines.size()) std::abort();
      if (!lines.empty()) {
        CheckIndex(list, lines.front());
        CheckIndex(list, lines.back());
      }
    } catch (const pimoru::ConversionError&) {
    }
  }
  return 0;
}
