// Stage 24: numbers, units and Latin capitals spelled out in Hangul, so that
// every later stage reads them as if they had been typed so (3시 → 세 시,
// 100명 → 백 명, KTX → 케이티엑스). A number before a counter that takes
// either numeral system (3번, 20대) is asked about.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "hangul/jamo.h"
#include "pipeline/number_reading.h"
#include "pipeline/stages.h"

namespace pimoru {
namespace {

constexpr bool BeginsSyllable(char16_t c) {
  return IsSyllable(c) || IsInitial(c);
}

// The reading the context suggests, and why, in the words of the report:
// "3번 출구＝番号・年代（漢数詞）".
Judgement Guess(const NumberNote& note, const NumberChoice& choice) {
  Judgement guess;
  guess.guess = choice.likely_native;
  guess.reason = note.typed;
  if (!choice.hint.empty()) {
    guess.reason += u' ';
    guess.reason += choice.hint;
  }
  guess.reason += choice.likely_native ? u"＝回数・個数（固有語の数詞）"
                                       : u"＝番号・年代（漢数詞）";
  return guess;
}

// Tells the questions of the later stages which syllable typed each
// syllable of the spelled text stands for: outside the places read, and in
// the tail a place's spelling shares with what was typed (the 시 of 세 시),
// the same syllable; in the rest of a spelling, none. The text read holds
// the input's syllables, in order and no others.
void Respell(const NumberReading& read, std::u16string_view text_read,
             TypedInput& typed) {
  std::u16string syllables;
  std::vector<std::uint32_t> typed_index;
  std::uint32_t count = 0;  // syllables of the text read before `source`
  std::size_t source = 0;
  std::size_t spelled = 0;
  // Takes the units of both texts up to `spelled_end` as the same.
  const auto same_up_to = [&](std::size_t spelled_end) {
    for (; spelled < spelled_end; ++spelled, ++source) {
      if (BeginsSyllable(text_read[source])) {
        syllables += text_read[source];
        typed_index.push_back(count++);
      }
    }
  };
  for (const NumberNote& note : read.notes) {
    same_up_to(note.spelled_at);
    const std::size_t shared = SharedTail(note);
    for (std::size_t k = 0; k + shared < note.spelled.size(); ++k) {
      if (BeginsSyllable(note.spelled[k])) {
        syllables += note.spelled[k];
        typed_index.push_back(TypedInput::kSpelled);
      }
    }
    for (; source < note.source.end() - shared; ++source) {
      count += BeginsSyllable(text_read[source]);
    }
    spelled = note.spelled_at + note.spelled.size() - shared;
    same_up_to(note.spelled_at + note.spelled.size());
  }
  same_up_to(read.text.size());
  typed.Respell(std::move(syllables), std::move(typed_index));
}

}  // namespace

bool SpellOutNumbers(StageContext& c) {
  NumberReading read = ReadNumbers(c.text);
  if (read.notes.empty()) return false;
  if (!read.choices.empty()) {
    const std::size_t n = read.choices.size();
    const auto answers = std::make_unique<bool[]>(n);
    bool as_guessed = true;
    for (std::size_t k = 0; k < n; ++k) {
      const NumberChoice& choice = read.choices[k];
      const NumberNote& note = read.notes[choice.note];
      std::u16string readings = choice.native_reading;
      readings += u'／';
      readings += choice.sino_reading;
      const Question question(QuestionKind::kNativeNumeral, note.typed,
                              readings);
      answers[k] = AskOne(question, Guess(note, choice), c.asking);
      as_guessed = as_guessed && answers[k] == choice.native;
    }
    if (!as_guessed) {
      read = ReadNumbers(c.text, std::span<const bool>(answers.get(), n));
    }
  }
  const bool changed =
      std::any_of(read.notes.begin(), read.notes.end(),
                  [](const NumberNote& note) { return WasRead(note.kind); });
  if (changed) {
    Respell(read, c.text, c.typed);
    c.text = std::move(read.text);
  }
  if (c.asking.record != nullptr) c.record.number_notes = std::move(read.notes);
  return changed;
}

}  // namespace pimoru
