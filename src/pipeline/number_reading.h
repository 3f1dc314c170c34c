// Digits, units and Latin capitals spelled out in Hangul as a Korean speaker
// says them, so that the sound changes work on them as on typed Hangul:
// 3시 → 세 시, 100명 → 백 명, 6월 → 유월, 5km → 오 킬로미터, KTX → 케이티엑스.
//
// The spelling follows the spacing of written Korean: a number stands apart
// from its counter or unit (세 시, 백 명, 오 킬로미터), large numbers are
// written in groups of 만 (만 이천삼백사십오), and only the words that are one
// word in the dictionary stand together (유월, 시월, 제일). The word lists
// join a number word to its counter as typed Hangul (세 시 → 세시), and a
// line read as one breath carries the sound changes across the space
// (백 명 → 뱅명).
//
// Whatever is not read stands as typed and is noted with the reason: a Latin
// word in small letters, a word of digits and letters together (3D, 5G,
// COVID-19), separators that do not make a number (1,00,0, 3:30), more
// digits than the 조 groups hold, a unit with no number. Reading never fails.
#ifndef PIMORU_PIPELINE_NUMBER_READING_H_
#define PIMORU_PIPELINE_NUMBER_READING_H_

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pimoru {

// A stretch of a text, in its code units.
struct TextSpan {
  std::size_t offset = 0;
  std::size_t length = 0;
  std::size_t end() const { return offset + length; }
  friend bool operator==(const TextSpan&, const TextSpan&) = default;
};

// What was made of one place: how it was read, or why it was left as typed.
enum class NumberNoteKind {
  kSinoKorean,  // 2024년 → 이천이십사 년, 5km → 오 킬로미터, 6월 → 유월
  kNative,         // 3시 → 세 시, 20살 → 스무 살
  kDigitByDigit,   // 010-1234-5678 → 공일공-일이삼사-오육칠팔
  kLetters,        // KTX → 케이티엑스, NASA → 나사
  kLatinWord,      // hello, Seoul: left
  kMixedScript,    // 3D, COVID-19, A4: left
  kOddSeparators,  // 1,00,0, 3:30, 2024.3.15: left
  kTooLarge,       // more than sixteen digits, beyond the 조 groups: left
  kLoneUnit,       // %, km, ₩ with no number: left
};

constexpr bool WasRead(NumberNoteKind kind) {
  return kind == NumberNoteKind::kSinoKorean ||
         kind == NumberNoteKind::kNative ||
         kind == NumberNoteKind::kDigitByDigit ||
         kind == NumberNoteKind::kLetters;
}

// One place of the text, in text order. A number's place takes in its
// currency sign, unit or counter and the blanks before them ("3 시"), so
// that the work report can show "3시 → 세 시".
struct NumberNote {
  NumberNoteKind kind = NumberNoteKind::kSinoKorean;
  TextSpan source;             // in the text that was read
  std::u16string typed;        // the text there
  std::size_t spelled_at = 0;  // where it stands in the spelled text
  std::u16string spelled;      // what stands there; `typed` where left
};

// A number before a counter that takes either numeral system: 3번 is 세 번
// (three times) or 삼 번 (number three), 20대 스무 대 (twenty cars) or
// 이십 대 (one's twenties).
struct NumberChoice {
  std::size_t note = 0;           // the place, in `NumberReading::notes`
  std::u16string_view counter;    // 번
  std::u16string native_reading;  // 세 번
  std::u16string sino_reading;    // 삼 번
  bool likely_native = true;      // what the context suggests
  std::u16string_view hint;       // the word after it that suggests it
                                  // (출구 in 3번 출구), empty where none
  bool native = true;             // the reading taken
};

struct NumberReading {
  std::u16string text;  // the text with every read place spelled out
  std::vector<NumberNote> notes;
  std::vector<NumberChoice> choices;
};

// Spells out the numbers, units and Latin capitals of a SyllableText. The
// k-th undecided place in text order takes `native_answers[k]` (true: the
// native numerals) where given, its likely reading otherwise; so a caller
// reads once, asks about `choices`, and reads again with the answers.
NumberReading ReadNumbers(std::u16string_view text,
                          std::span<const bool> native_answers = {});

// How many units at the end of a note's spelling stand as they were typed:
// the 시 of 3시 → 세 시, none of KTX → 케이티엑스, all of a place left.
std::size_t SharedTail(const NumberNote& note);

// The offset in the text that was read of place `at` of the spelled text.
// Outside the notes the two texts agree unit for unit; inside a note, the
// tail its spelling shares with the typed text (the 시 of 3시 → 세 시) maps
// unit for unit and the rest to the note's start.
std::size_t SourceOffset(const NumberReading& reading, std::size_t at);

}  // namespace pimoru

#endif  // PIMORU_PIPELINE_NUMBER_READING_H_
