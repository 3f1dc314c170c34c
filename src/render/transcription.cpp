// The transcription driver: one pass over the decomposed reading writes the
// symbol line, the kana line and the voicing marks, and records stage 23.
#include "render/transcription.h"

#include <string>
#include <string_view>

#include "hangul/jamo.h"

namespace pimoru {
namespace {

// A character that may continue a syllable after its medial: vowel and
// final jamo (and the old jamo between them). Anything else after a medial
// closes an open syllable.
constexpr bool ContinuesSyllable(char16_t c) {
  return c >= 0x1113 && c <= 0x11C2;
}

// No ッ on a tensed consonant at a word start, after a final ㄱ ㄴ ㄷ ㅂ ㅇ, or
// after printable ASCII (A까 → Aカ).
bool SuppressesTsu(char16_t lead, bool word_start) {
  return word_start || lead == fin::kGiyeok || lead == fin::kNieun ||
         lead == fin::kDigeut || lead == fin::kBieup || lead == fin::kIeung ||
         (lead >= 0x21 && lead <= 0x7E);
}

// The symbols of the syllable being read, until it is written as kana.
struct CurrentSyllable {
  std::u16string initial;
  std::u16string vowel;
  std::u16string final;

  void Clear() {
    initial.clear();
    vowel.clear();
    final.clear();
  }
};

constexpr char16_t kNoCharacter = 0;

}  // namespace

Transcription Transcribe(std::u16string_view reading, int noon_idx,
                         StageRecord& record) {
  return Transcribe(reading, noon_idx, record, RecordTexts::kAll);
}

Transcription Transcribe(std::u16string_view reading, int noon_idx,
                         StageRecord& record, RecordTexts texts) {
  // The added spaces give the first and the last jamo a neighbour and make
  // the first syllable a word start.
  const std::u16string text = u" " + DecomposeText(Trim(reading)) + u" ";
  const auto at = [&text](std::ptrdiff_t i) {
    return i >= 0 ? text[i] : kNoCharacter;
  };

  Transcription out;
  CurrentSyllable syllable;
  bool any_voiced = false;
  const auto write_syllable = [&](std::ptrdiff_t lead_pos) {
    const char16_t lead = at(lead_pos);
    const bool word_start = lead == u' ';
    if (word_start) out.kana += u"  ";
    out.kana += SyllableKana(SuppressesTsu(lead, word_start), syllable.initial,
                             syllable.vowel);
    out.kana += FinalKana(syllable.final);
    syllable.Clear();
  };

  const std::ptrdiff_t last = static_cast<std::ptrdiff_t>(text.size()) - 2;
  for (std::ptrdiff_t i = 1; i <= last; ++i) {
    const char16_t c = text[i];
    PhoneticSymbol symbol =
        SymbolForJamo(c, text[i - 1], text[i + 1], noon_idx);
    any_voiced = any_voiced || symbol.voiced;
    if (IsInitial(c)) {
      out.symbols += u' ';
      out.symbols += symbol.symbol;
      out.voicing_marks += symbol.voiced ? u'2' : u'1';
      syllable.initial = std::move(symbol.symbol);
    } else if (IsMedial(c)) {
      out.symbols += symbol.symbol;
      syllable.vowel = std::move(symbol.symbol);
      if (!ContinuesSyllable(text[i + 1])) write_syllable(i - 2);
    } else if (IsFinal(c)) {
      out.symbols += symbol.symbol;
      syllable.final = std::move(symbol.symbol);
      write_syllable(i - 3);
    } else {
      out.symbols += symbol.symbol;
      out.voicing_marks += u'0';
      out.kana += symbol.symbol;
      syllable.Clear();
    }
  }

  record.changed[kVoicingSlot] = any_voiced;
  if (any_voiced && texts == RecordTexts::kAll) {
    record.results[kVoicingSlot] = ComposeText(text);
  }

  out.symbols = Trim(out.symbols);
  // A final written ッ before a tensed consonant's ッ (맛까 → マッッカ) keeps
  // one of them.
  ReplaceAll(out.kana, u"ッッ", u"ッ");
  out.kana = Trim(out.kana);
  return out;
}

}  // namespace pimoru
