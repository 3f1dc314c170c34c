// The transcription: reading Hangul to phonetic symbols and katakana, with
// the voicing decided on the way (stage 23).
//
// The symbols are IPA letters chosen one jamo at a time from the jamo and
// its two neighbours; the katakana are built from those symbols, so voicing
// (k or ɡ), palatalisation (s or ʃ) and tensing show in both lines alike.
#ifndef PIMORU_RENDER_TRANSCRIPTION_H_
#define PIMORU_RENDER_TRANSCRIPTION_H_

#include <string>
#include <string_view>

#include "pipeline/options.h"
#include "pipeline/pipeline.h"
#include "pipeline/stage_record.h"

namespace pimoru {

struct Transcription {
  std::u16string symbols;  // one space between syllables, two between words
  std::u16string kana;     // three spaces between words
  std::u16string
      voicing_marks;  // "1"/"2" per syllable, "0" per other character
  // Of the tensed consonants in the symbols; always a known one.
  Notation notation = Notation::kGlottalStopBefore;
};

// Transcribes the reading Hangul in the tensed-consonant `notation` and
// records the voicing stage in `record`: its flag is set when some consonant
// was voiced, and then, when `texts` asks for all texts, its result is the
// reading. The reading is trimmed first; an empty reading gives three empty
// lines and clears the flag.
//
// The lines are written into `out`, which is returned: a batch that hands
// its last transcription back as `out` line after line allocates only when
// a line outgrows its buffers.
Transcription Transcribe(std::u16string_view reading, Notation notation,
                         StageRecord& record,
                         RecordTexts texts = RecordTexts::kAll,
                         Transcription out = {});

struct PhoneticSymbol {
  std::u16string symbol;  // zero, one or two code units
  bool voiced = false;    // a lenis initial became voiced here
};

// The symbol of one character of a jamo text, given its neighbours.
//
// A lenis initial (ㄱ ㄷ ㅂ ㅈ ㅎ) is voiced after a vowel or after one of the
// sonorant finals ㄴ ㄹ ㅁ ㅇ; ㅅ and ㅆ are palatal before ㅣ ㅑ ㅕ ㅛ ㅠ; ㅢ
// is "ɯi" after the silent ㅇ and "i" elsewhere. Tensed consonants are written
// in `notation` ("ˀk", "ʼk" or "kʼ"; one not known as "ˀk"). A
// space gives " ", any other non-jamo character gives itself.
PhoneticSymbol SymbolForJamo(char16_t current, char16_t previous, char16_t next,
                             Notation notation);

// The katakana of a syllable without its final, from the symbols of its
// initial (empty for the silent ㅇ) and its vowel. A tensed initial gets a
// small ッ in front unless `suppress` is set. Empty when the symbols name no
// syllable (a Latin letter, say).
std::u16string SyllableKana(bool suppress, std::u16string_view initial,
                            std::u16string_view vowel);

// The katakana of a final consonant's symbol ("ᵏ" → "ッｸ"); empty for
// anything that is not a final's symbol.
std::u16string_view FinalKana(std::u16string_view final_symbol);

}  // namespace pimoru

#endif  // PIMORU_RENDER_TRANSCRIPTION_H_
