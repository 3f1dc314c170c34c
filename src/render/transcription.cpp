// The transcription driver: one pass over the decomposed reading writes the
// symbol line, the kana line and the voicing marks, and records stage 23.
#include "render/transcription.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "hangul/jamo.h"
#include "render/jamo_context.h"

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

constexpr char16_t kNoCharacter = 0;

// A jamo's symbol depends on the jamo, on the class of its previous letter
// (voicing, the silent ㅇ before ㅢ, anything else) and on whether the next
// letter makes ㅅ palatal; a syllable's kana on the symbols of its initial
// and vowel. The tables below hold every such combination, made once from
// SymbolForJamo, SyllableKana and FinalKana themselves, so a transcription
// looks each letter up instead of building and comparing strings.
constexpr char16_t kJamoBlock = 0x1100;
constexpr std::size_t kJamoSpan = 0xC3;  // up to the last final, U+11C2
constexpr int kNotations = 3;            // noon_idx 0, 1 and 2
constexpr int kPreviousClasses = 3;

int PreviousClass(char16_t previous) {
  if (previous == ini::kIeung) return 2;
  return VoicesNextInitial(previous) ? 1 : 0;
}

struct JamoEntry {
  std::u16string_view symbol;
  std::uint8_t id = 0;  // of the initial's or the vowel's symbol; 0 is ""
  bool voiced = false;
  std::u16string_view final_kana;
};

class TranscriptionTables {
 public:
  TranscriptionTables() {
    initial_symbols_.emplace_back();
    vowel_symbols_.emplace_back();
    // A representative neighbour of each class.
    constexpr char16_t kPrevious[kPreviousClasses] = {u' ', med::kA,
                                                      ini::kIeung};
    constexpr char16_t kNext[2] = {u' ', med::kI};
    for (int notation = 0; notation < kNotations; ++notation) {
      for (std::size_t c = 0; c < kJamoSpan; ++c) {
        const auto jamo = static_cast<char16_t>(kJamoBlock + c);
        if (!IsInitial(jamo) && !IsMedial(jamo) && !IsFinal(jamo)) continue;
        for (int p = 0; p < kPreviousClasses; ++p) {
          for (int n = 0; n < 2; ++n) {
            const PhoneticSymbol symbol =
                SymbolForJamo(jamo, kPrevious[p], kNext[n], notation);
            JamoEntry& entry = entries_[Index(notation, c, p, n)];
            entry.voiced = symbol.voiced;
            if (IsInitial(jamo)) {
              entry.id = IdOf(initial_symbols_, symbol.symbol);
              entry.symbol = initial_symbols_[entry.id];
            } else if (IsMedial(jamo)) {
              entry.id = IdOf(vowel_symbols_, symbol.symbol);
              entry.symbol = vowel_symbols_[entry.id];
            } else {
              entry.symbol = Stored(symbol.symbol);
              entry.final_kana = FinalKana(entry.symbol);
            }
          }
        }
      }
    }
    kana_.resize(initial_symbols_.size() * vowel_symbols_.size() * 2);
    for (std::size_t i = 0; i < initial_symbols_.size(); ++i) {
      for (std::size_t v = 0; v < vowel_symbols_.size(); ++v) {
        for (const bool suppress : {false, true}) {
          kana_[KanaIndex(i, v, suppress)] = Stored(
              SyllableKana(suppress, initial_symbols_[i], vowel_symbols_[v]));
        }
      }
    }
  }
  TranscriptionTables(const TranscriptionTables&) = delete;
  TranscriptionTables& operator=(const TranscriptionTables&) = delete;

  // For a jamo (initial, medial or final) between its neighbours.
  const JamoEntry& Entry(char16_t jamo, char16_t previous, char16_t next,
                         int notation) const {
    return entries_[Index(notation, jamo - kJamoBlock, PreviousClass(previous),
                          MakesPalatal(next) ? 1 : 0)];
  }

  std::u16string_view Kana(bool suppress, std::uint8_t initial,
                           std::uint8_t vowel) const {
    return kana_[KanaIndex(initial, vowel, suppress)];
  }

 private:
  static std::size_t Index(int notation, std::size_t c, int p, int n) {
    return ((static_cast<std::size_t>(notation) * kJamoSpan + c) *
                kPreviousClasses +
            p) *
               2 +
           n;
  }
  std::size_t KanaIndex(std::size_t initial, std::size_t vowel,
                        bool suppress) const {
    return (initial * vowel_symbols_.size() + vowel) * 2 + (suppress ? 1 : 0);
  }
  static std::uint8_t IdOf(std::deque<std::u16string>& symbols,
                           std::u16string_view symbol) {
    auto it = std::find(symbols.begin(), symbols.end(), symbol);
    if (it == symbols.end()) it = symbols.emplace(symbols.end(), symbol);
    return static_cast<std::uint8_t>(it - symbols.begin());
  }
  std::u16string_view Stored(std::u16string_view text) {
    return texts_.emplace_back(text);
  }

  // Deques keep their strings in place, so the views stay valid.
  std::deque<std::u16string> initial_symbols_;
  std::deque<std::u16string> vowel_symbols_;
  std::deque<std::u16string> texts_;
  std::vector<JamoEntry> entries_ =
      std::vector<JamoEntry>(kNotations * kJamoSpan * kPreviousClasses * 2);
  std::vector<std::u16string_view> kana_;
};

const TranscriptionTables& Tables() {
  static const TranscriptionTables tables;
  return tables;
}

std::u16string_view TrimmedView(std::u16string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && text[begin] <= u' ') ++begin;
  while (end > begin && text[end - 1] <= u' ') --end;
  return text.substr(begin, end - begin);
}

void TrimInPlace(std::u16string& text) {
  const std::u16string_view trimmed = TrimmedView(text);
  if (trimmed.size() == text.size()) return;
  const std::size_t begin = trimmed.data() - text.data();
  text.resize(begin + trimmed.size());
  text.erase(0, begin);
}

}  // namespace

Transcription Transcribe(std::u16string_view reading, int noon_idx,
                         StageRecord& record) {
  return Transcribe(reading, noon_idx, record, RecordTexts::kAll);
}

Transcription Transcribe(std::u16string_view reading, int noon_idx,
                         StageRecord& record, RecordTexts texts) {
  const TranscriptionTables& tables = Tables();
  const int notation = noon_idx >= 0 && noon_idx < kNotations ? noon_idx : 0;
  // The added spaces give the first and the last jamo a neighbour and make
  // the first syllable a word start.
  const std::u16string_view trimmed = TrimmedView(reading);
  std::u16string text;
  text.reserve(trimmed.size() * 3 + 2);
  text += u' ';
  text += DecomposeText(trimmed);
  text += u' ';
  const auto at = [&text](std::ptrdiff_t i) {
    return i >= 0 ? text[i] : kNoCharacter;
  };

  Transcription out;
  out.symbols.reserve(text.size() * 2);
  out.kana.reserve(text.size() * 2);
  out.voicing_marks.reserve(trimmed.size());
  // The syllable being read, until it is written as kana.
  std::uint8_t initial = 0;
  std::uint8_t vowel = 0;
  std::u16string_view final_kana;
  bool any_voiced = false;
  const auto write_syllable = [&](std::ptrdiff_t lead_pos) {
    const char16_t lead = at(lead_pos);
    const bool word_start = lead == u' ';
    if (word_start) out.kana += u"  ";
    out.kana += tables.Kana(SuppressesTsu(lead, word_start), initial, vowel);
    out.kana += final_kana;
    initial = vowel = 0;
    final_kana = {};
  };

  const std::ptrdiff_t last = static_cast<std::ptrdiff_t>(text.size()) - 2;
  for (std::ptrdiff_t i = 1; i <= last; ++i) {
    const char16_t c = text[i];
    if (IsInitial(c)) {
      const JamoEntry& entry =
          tables.Entry(c, text[i - 1], text[i + 1], notation);
      any_voiced = any_voiced || entry.voiced;
      out.symbols += u' ';
      out.symbols += entry.symbol;
      out.voicing_marks += entry.voiced ? u'2' : u'1';
      initial = entry.id;
    } else if (IsMedial(c)) {
      const JamoEntry& entry =
          tables.Entry(c, text[i - 1], text[i + 1], notation);
      any_voiced = any_voiced || entry.voiced;
      out.symbols += entry.symbol;
      vowel = entry.id;
      if (!ContinuesSyllable(text[i + 1])) write_syllable(i - 2);
    } else if (IsFinal(c)) {
      const JamoEntry& entry =
          tables.Entry(c, text[i - 1], text[i + 1], notation);
      any_voiced = any_voiced || entry.voiced;
      out.symbols += entry.symbol;
      final_kana = entry.final_kana;
      write_syllable(i - 3);
    } else {
      out.symbols += c;
      out.voicing_marks += u'0';
      out.kana += c;
      initial = vowel = 0;
      final_kana = {};
    }
  }

  record.changed[kVoicingSlot] = any_voiced;
  if (any_voiced && texts == RecordTexts::kAll) {
    record.results[kVoicingSlot] = ComposeText(text);
  }

  TrimInPlace(out.symbols);
  // A final written ッ before a tensed consonant's ッ (맛까 → マッッカ) keeps
  // one of them.
  ReplaceAll(out.kana, u"ッッ", u"ッ");
  TrimInPlace(out.kana);
  return out;
}

}  // namespace pimoru
