#include "hangul/jamo.h"
#include "pipeline/stages.h"

namespace pimoru {
namespace {

// Applies the (pattern, replacement) pairs of a list in file order, each over
// the whole text as the pairs before it left it. A missing list changes
// nothing. The result is whether some pattern occurred, even where its
// replacement equals it (발군 stays 발군 and still counts).
bool ApplyListedWords(StageContext& c, WordListId id) {
  std::u16string& text = c.text;
  const auto pairs = c.lists.Indexed(id);
  if (!pairs) return false;
  const WordList& entries = pairs->entries();
  const std::size_t limit = WordListTextLimit(text.size());
  Candidates candidates = c.ListCandidates(*pairs, text);
  bool changed = false;
  for (std::size_t k = candidates.Next(); k < entries.size();
       k = candidates.Next()) {
    const WordListEntry& pair = entries[k];
    if (ReplaceListedWord(text, pair, id, limit)) {
      candidates.Rescan(text);
      changed = true;
    }
  }
  return changed;
}

}  // namespace

// Stage 5: nasalisation that only the word shows (의견란 → 의견난).
bool ApplyNasalisation1(StageContext& c) {
  return ApplyListedWords(c, WordListId::kKanBion);
}

// Stage 6: tensification in listed words (물가 → 물까).
bool ApplyTensification1(StageContext& c) {
  return ApplyListedWords(c, WordListId::kSetsubi);
}

// Stage 7: ㄷ, ㅅ, ㅈ after a final ㄹ tensed in listed words (발달 → 발딸);
// the list already holds the tensed form of each entry.
bool ApplyTensification2(StageContext& c) {
  return ApplyListedWords(c, WordListId::kRiulPat);
}

}  // namespace pimoru
