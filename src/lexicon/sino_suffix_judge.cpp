// A Sino-Korean word with a one-syllable suffix: the ㄹ of the suffix after
// the word's ㄴ is nasalised (생산력 → 생산녁), where inside one word it
// makes the ㄴ a ㄹ (권력 → 궐력).
#include "lexicon/judging.h"

namespace pimoru {

Judgement JudgeSinoKoreanSuffix(const Judging& j) {
  if (!j.JunctionInWord()) return {};
  const std::size_t span = j.StemSpan();
  if (span == 0) {
    return Decided(Verdict::kNo, j.Because(j.Describe(*j.FirstAfterStem())));
  }
  const HanjaDictionary& hanja = j.hanja();
  const std::size_t at = j.question().at;
  const std::u16string_view stem = j.question().word.substr(0, span);
  for (const Segment& s : Segments(hanja, stem)) {
    if (at < s.begin || at >= s.begin + s.size) continue;
    if (at + 1 < s.begin + s.size) {
      // The junction inside one word: a word of two syllables (권력, 원료)
      // is read with ㄹ; a longer one is a word with a suffix when what
      // stands before the junction is a word too (생산력).
      if (s.begin == at && s.size == 2) {
        Judgement one_word = Decided(Verdict::kNo, u"");
        const std::u16string spelling =
            NameHanja(hanja, stem.substr(at, 2), one_word);
        one_word.reason =
            Because(one_word.word, spelling + u"（一語の漢字語）");
        return one_word;
      }
      const std::u16string_view head = stem.substr(s.begin, at + 1 - s.begin);
      if (head.size() >= 2 && hanja.HanjaWord(head)) break;
      return {};
    }
    if (s.size < 2) return {};
    break;
  }
  // A word of two syllables or more ends at the junction.
  for (std::size_t begin = 0; begin + 1 <= at; ++begin) {
    const std::u16string_view head = stem.substr(begin, at + 1 - begin);
    if (head.size() < 2 || !hanja.HanjaWord(head)) continue;
    return WordWithSuffix(j, stem, begin);
  }
  return {};
}

}  // namespace pimoru
