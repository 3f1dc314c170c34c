// The transcription looks its symbols and kana up in tables made from
// SymbolForJamo, SyllableKana and FinalKana and writes them into working
// room of its own. Here it is held to a plain transcription that calls them
// for every letter, on every syllable in varied company, on every run of
// three letters from the jamo block, and on random mixed texts in every
// notation, short and far longer than a line; a transcription written into
// one handed back line after line, keeping only the record's flags, alike.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "hangul/jamo.h"
#include "render/transcription.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

// The transcription one letter at a time, with a string per symbol.
Transcription TranscribePlainly(std::u16string_view reading, Notation notation,
                                StageRecord& record) {
  const std::u16string text = u" " + DecomposeText(Trim(reading)) + u" ";
  const auto at = [&text](std::ptrdiff_t i) {
    return i >= 0 ? text[i] : u'\0';
  };
  Transcription out;
  std::u16string initial, vowel, final;
  bool any_voiced = false;
  const auto write_syllable = [&](std::ptrdiff_t lead_pos) {
    const char16_t lead = at(lead_pos);
    const bool word_start = lead == u' ';
    const bool suppress = word_start || lead == fin::kGiyeok ||
                          lead == fin::kNieun || lead == fin::kDigeut ||
                          lead == fin::kBieup || lead == fin::kIeung ||
                          (lead >= 0x21 && lead <= 0x7E);
    if (word_start) out.kana += u"  ";
    out.kana += SyllableKana(suppress, initial, vowel);
    out.kana += FinalKana(final);
    initial.clear();
    vowel.clear();
    final.clear();
  };
  const std::ptrdiff_t last = static_cast<std::ptrdiff_t>(text.size()) - 2;
  for (std::ptrdiff_t i = 1; i <= last; ++i) {
    const char16_t c = text[i];
    const PhoneticSymbol symbol =
        SymbolForJamo(c, text[i - 1], text[i + 1], notation);
    any_voiced = any_voiced || symbol.voiced;
    if (IsInitial(c)) {
      out.symbols += u' ' + symbol.symbol;
      out.voicing_marks += symbol.voiced ? u'2' : u'1';
      initial = symbol.symbol;
    } else if (IsMedial(c)) {
      out.symbols += symbol.symbol;
      vowel = symbol.symbol;
      const char16_t next = text[i + 1];
      if (next < 0x1113 || next > 0x11C2) write_syllable(i - 2);
    } else if (IsFinal(c)) {
      out.symbols += symbol.symbol;
      final = symbol.symbol;
      write_syllable(i - 3);
    } else {
      out.symbols += symbol.symbol;
      out.voicing_marks += u'0';
      out.kana += symbol.symbol;
      initial.clear();
      vowel.clear();
      final.clear();
    }
  }
  record.changed[StageId::kVoicing] = any_voiced;
  if (any_voiced) record.results[StageId::kVoicing] = ComposeText(text);
  out.symbols = Trim(out.symbols);
  ReplaceAll(out.kana, u"ッッ", u"ッ");
  out.kana = Trim(out.kana);
  return out;
}

// Compares both on `reading`; returns false (after reporting) on the first
// difference, so a broken table does not flood the log. `reused` has held
// the transcriptions of earlier readings.
bool SameAsPlain(std::u16string_view reading, Notation notation,
                 Transcription& reused) {
  StageRecord fast_record, plain_record, flags_record;
  const Transcription fast = Transcribe(reading, notation, fast_record);
  const Transcription plain =
      TranscribePlainly(reading, notation, plain_record);
  flags_record.results[StageId::kVoicing] = u"kept";
  reused = Transcribe(reading, notation, flags_record, RecordTexts::kFlagsOnly,
                      std::move(reused));
  const bool same = fast.symbols == plain.symbols && fast.kana == plain.kana &&
                    fast.voicing_marks == plain.voicing_marks &&
                    fast_record.changed == plain_record.changed &&
                    fast_record.results == plain_record.results &&
                    reused.symbols == plain.symbols &&
                    reused.kana == plain.kana &&
                    reused.voicing_marks == plain.voicing_marks &&
                    flags_record.changed == plain_record.changed &&
                    flags_record.results[StageId::kVoicing] == u"kept";
  if (!same) {
    ADD_FAILURE() << "reading " << U8(reading) << " notation "
                  << static_cast<int>(notation) << "\n symbols "
                  << U8(fast.symbols) << " / " << U8(plain.symbols)
                  << "\n kana " << U8(fast.kana) << " / " << U8(plain.kana)
                  << "\n marks " << U8(fast.voicing_marks) << " / "
                  << U8(plain.voicing_marks) << "\n reused "
                  << U8(reused.symbols) << " / " << U8(reused.kana) << " / "
                  << U8(reused.voicing_marks);
  }
  return same;
}

TEST(TranscribeTables, EverySyllableInVariedCompany) {
  Transcription reused;
  constexpr int kCount = kSyllableLast - kSyllableFirst + 1;
  for (int s = 0; s < kCount; ++s) {
    const auto syllable = static_cast<char16_t>(kSyllableFirst + s);
    // Neighbours that walk through all syllables at different paces.
    const auto before =
        static_cast<char16_t>(kSyllableFirst + s * 7919 % kCount);
    const auto after =
        static_cast<char16_t>(kSyllableFirst + s * 104729 % kCount);
    const std::u16string readings[] = {
        std::u16string(1, syllable),
        std::u16string{before, syllable, after},
        std::u16string{after, u' ', syllable, u'A', before},
    };
    for (const std::u16string& reading : readings) {
      for (const Notation notation :
           {Notation::kGlottalStopBefore, Notation::kApostropheBefore,
            Notation::kApostropheAfter}) {
        ASSERT_TRUE(SameAsPlain(reading, notation, reused));
      }
    }
  }
}

TEST(TranscribeTables, EveryRunOfThreeLetters) {
  // Every initial, medial and final, the old jamo between them, a space, an
  // ASCII letter and a syllable.
  std::u16string letters = u" A가\u1176\u11A7\u11C3";
  for (char16_t c = kInitialBase; c < kInitialBase + kInitialCount; ++c) {
    letters += c;
  }
  for (char16_t c = kMedialBase; c < kMedialBase + kMedialCount; ++c) {
    letters += c;
  }
  for (char16_t c = kFinalBase; c < kFinalBase + kFinalCount; ++c) {
    letters += c;
  }
  Transcription reused;
  for (const char16_t a : letters) {
    for (const char16_t b : letters) {
      for (const char16_t c : letters) {
        ASSERT_TRUE(SameAsPlain(std::u16string{a, b, c},
                                Notation::kGlottalStopBefore, reused));
      }
    }
  }
}

TEST(TranscribeTables, RandomMixedTextsInEveryNotation) {
  const std::u16string pool =
      u"  가까깍나다따닭라마바빠사싸쌰쉬씨아의예와왜외워웨위유으이자짜차카타"
      u"파하학꾜맛알안밥감기\u1100\u1101\u1109\u110A\u110B\u1112\u1161\u1174"
      u"\u1175\u11A8\u11AB\u11AF\u11B7\u11BC\u11C2\u1176A,.\tッ";
  std::mt19937 random(12345);
  Transcription reused;
  for (int k = 0; k < 5000; ++k) {
    std::u16string reading;
    // Mostly line-sized, now and then long enough that the working room
    // cannot stay on the stack.
    const int size = k % 50 == 0 ? 200 + static_cast<int>(random() % 3000)
                                 : 1 + static_cast<int>(random() % 14);
    for (int i = 0; i < size; ++i) reading += pool[random() % pool.size()];
    // Numbers that name no notation, as a settings file may hold, are
    // written as the first.
    for (const int number : {0, 1, 2, 7, -1}) {
      ASSERT_TRUE(SameAsPlain(reading, static_cast<Notation>(number), reused));
    }
  }
}

}  // namespace
}  // namespace pimoru
