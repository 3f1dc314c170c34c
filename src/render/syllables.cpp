#include "render/syllables.h"

#include "hangul/jamo.h"
#include "render/jamo_context.h"
#include "render/transcription.h"

namespace pimoru {
namespace {

constexpr char16_t kSmallTsu = u'ッ';

std::u16string TrimmedCopy(std::u16string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && text[begin] <= u' ') ++begin;
  while (end > begin && text[end - 1] <= u' ') --end;
  return std::u16string(text.substr(begin, end - begin));
}

}  // namespace

std::vector<SyllableSounds> SoundsBySyllable(std::u16string_view reading,
                                             Notation notation) {
  // As the transcription reads it: decomposed, with a space at either end
  // that gives the first and the last jamo a neighbour.
  // Appended rather than prepended: at -O3 GCC 12 falsely warns that
  // prepending copies overlapping memory (-Wrestrict).
  std::u16string text(1, u' ');
  text.append(DecomposeText(TrimmedCopy(reading))).push_back(u' ');
  std::vector<SyllableSounds> syllables;
  // Whether the last syllable's kana ends with ッ right before this point of
  // the kana line, with nothing written since.
  bool tsu_before = false;
  for (std::size_t i = 1; i + 1 < text.size();) {
    if (!IsInitial(text[i]) || !IsMedial(text[i + 1])) {
      tsu_before = false;
      ++i;
      continue;
    }
    const bool closed = IsFinal(text[i + 2]);
    const std::size_t length = closed ? 3 : 2;
    const auto symbol = [&](std::size_t at) {
      return SymbolForJamo(text[at], text[at - 1], text[at + 1], notation)
          .symbol;
    };
    SyllableSounds sounds;
    sounds.reading = ComposeGroup(std::u16string_view(text).substr(i, length));
    const std::u16string initial = symbol(i);
    const std::u16string vowel = symbol(i + 1);
    const std::u16string final_symbol = closed ? symbol(i + 2) : u"";
    sounds.symbols = initial + vowel + final_symbol;
    const char16_t lead = text[i - 1];
    sounds.kana =
        SyllableKana(SuppressesTsu(lead, lead == u' '), initial, vowel) +
        std::u16string(FinalKana(final_symbol));
    // Two ッ that meet are written once, by the syllable before.
    if (tsu_before && lead != u' ' && !sounds.kana.empty() &&
        sounds.kana.front() == kSmallTsu) {
      sounds.kana.erase(0, 1);
    }
    tsu_before = !sounds.kana.empty() && sounds.kana.back() == kSmallTsu;
    syllables.push_back(std::move(sounds));
    i += length;
  }
  return syllables;
}

}  // namespace pimoru
