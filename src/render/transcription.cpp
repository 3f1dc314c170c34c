// The transcription driver: one pass over the decomposed reading writes the
// symbol line, the kana line and the voicing marks, and records stage 23.
#include "render/transcription.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <memory>
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

constexpr char16_t kNoCharacter = 0;
constexpr char16_t kSmallTsu = u'ッ';

// A jamo's symbol depends on the jamo, on the class of its previous letter
// (voicing, the silent ㅇ before ㅢ, a final ㄹ before ㄹ, anything else) and
// on whether the next letter makes ㅅ palatal; a syllable's kana on the
// symbols of its initial and vowel. The tables below hold every such
// combination, made once from SymbolForJamo, SyllableKana and FinalKana
// themselves, so a transcription looks each letter up instead of building and
// comparing strings.
constexpr char16_t kJamoBlock = 0x1100;
constexpr std::size_t kJamoSpan = 0xC3;  // up to the last final, U+11C2
constexpr int kPreviousClasses = 4;
constexpr int kContexts = kPreviousClasses * 2;  // entries per jamo

constexpr int PreviousClass(char16_t previous) {
  if (previous == ini::kIeung) return 2;
  if (previous == fin::kRieul) return 3;  // voices, and makes ㄹ lateral
  return VoicesNextInitial(previous) ? 1 : 0;
}

// A letter of the jamo block as a neighbour: twice its class as a previous
// letter, plus one when it makes ㅅ palatal as the next letter. Any other
// character is 0 both ways.
constexpr std::array<std::uint8_t, kJamoSpan> kNeighbourBits = [] {
  std::array<std::uint8_t, kJamoSpan> bits{};
  for (std::size_t c = 0; c < kJamoSpan; ++c) {
    const auto jamo = static_cast<char16_t>(kJamoBlock + c);
    bits[c] = static_cast<std::uint8_t>(PreviousClass(jamo) * 2 +
                                        (MakesPalatal(jamo) ? 1 : 0));
  }
  return bits;
}();

std::uint8_t NeighbourBits(char16_t c) {
  const auto offset = static_cast<std::size_t>(c - kJamoBlock);
  return offset < kJamoSpan ? kNeighbourBits[offset] : 0;
}

// The offset of a jamo's entry for its neighbours.
std::size_t ContextOf(char16_t previous, char16_t next) {
  return (NeighbourBits(previous) & 6) + (NeighbourBits(next) & 1);
}

// The initials, medials and finals numbered one after the other: the
// tables hold only these, and a syllable's numbers give them at once.
constexpr std::size_t kFirstMedialLetter = kInitialCount;
constexpr std::size_t kFirstFinalLetter = kInitialCount + kMedialCount;
constexpr std::size_t kLetterCount = kFirstFinalLetter + kFinalCount;
constexpr std::uint8_t kNoLetter = 0xFF;

constexpr char16_t JamoOfLetter(std::size_t letter) {
  if (letter < kFirstMedialLetter) return InitialJamo(letter + 1);
  if (letter < kFirstFinalLetter) {
    return MedialJamo(letter - kFirstMedialLetter + 1);
  }
  return FinalJamo(letter - kFirstFinalLetter + 1);
}

// The letter of each character of the jamo block, kNoLetter for the old
// jamo between them.
constexpr std::array<std::uint8_t, kJamoSpan> kLetterOf = [] {
  std::array<std::uint8_t, kJamoSpan> letters{};
  letters.fill(kNoLetter);
  for (std::size_t letter = 0; letter < kLetterCount; ++letter) {
    letters[JamoOfLetter(letter) - kJamoBlock] =
        static_cast<std::uint8_t>(letter);
  }
  return letters;
}();

// kNeighbourBits by letter.
constexpr std::array<std::uint8_t, kLetterCount> kLetterNeighbourBits = [] {
  std::array<std::uint8_t, kLetterCount> bits{};
  for (std::size_t letter = 0; letter < kLetterCount; ++letter) {
    bits[letter] = kNeighbourBits[JamoOfLetter(letter) - kJamoBlock];
  }
  return bits;
}();

// A short text kept inline in a table. It is written by copying all N units
// and moving on by `size`, one fixed-size copy instead of a loop; the
// buffers written to have room for the surplus.
template <std::size_t N>
struct Piece {
  std::array<char16_t, N> units{};
  std::uint8_t size = 0;

  char16_t* WriteTo(char16_t* at) const {
    std::memcpy(at, units.data(), sizeof units);
    return at + size;
  }
  bool Holds(std::u16string_view text) const {
    return std::u16string_view(units.data(), size).find(text) !=
           std::u16string_view::npos;
  }
};

template <std::size_t N>
Piece<N> MakePiece(std::u16string_view text) {
  // The symbol and kana tables are ours; none of their texts is longer.
  assert(text.size() <= N);
  text = text.substr(0, N);
  Piece<N> piece;
  std::copy(text.begin(), text.end(), piece.units.begin());
  piece.size = static_cast<std::uint8_t>(text.size());
  return piece;
}

// An initial's " " and symbol, a vowel's or a final's symbol, a final's kana.
constexpr std::size_t kSymbolUnits = 4;
using SymbolPiece = Piece<kSymbolUnits>;
// A syllable's kana without its final.
constexpr std::size_t kKanaUnits = 8;
using KanaPiece = Piece<kKanaUnits>;

struct JamoEntry {
  SymbolPiece symbol;      // an initial's starts with the space before it
  SymbolPiece final_kana;  // a final's; empty for the others
  // An initial's row or a vowel's column in the kana table, by its symbol:
  // a syllable's kana is at the sum (plus one to suppress ッ). 0 is "".
  std::uint16_t kana_part = 0;
  char16_t voicing_mark = u'1';  // an initial's: "2" when voiced
  bool voiced = false;
};

// The tables of one notation of the tensed consonants.
class TranscriptionTables {
 public:
  explicit TranscriptionTables(Notation notation) {
    initial_symbols_.emplace_back();
    vowel_symbols_.emplace_back();
    // A representative neighbour of each class.
    constexpr char16_t kPrevious[kPreviousClasses] = {u' ', med::kA,
                                                      ini::kIeung, fin::kRieul};
    constexpr char16_t kNext[2] = {u' ', med::kI};
    for (std::size_t letter = 0; letter < kLetterCount; ++letter) {
      const char16_t jamo = JamoOfLetter(letter);
      for (int p = 0; p < kPreviousClasses; ++p) {
        for (int n = 0; n < 2; ++n) {
          const PhoneticSymbol symbol =
              SymbolForJamo(jamo, kPrevious[p], kNext[n], notation);
          JamoEntry& entry =
              entries_[letter * kContexts + ContextOf(kPrevious[p], kNext[n])];
          entry.voiced = symbol.voiced;
          entry.voicing_mark = symbol.voiced ? u'2' : u'1';
          if (IsInitial(jamo)) {
            entry.kana_part = IdOf(initial_symbols_, symbol.symbol);
            entry.symbol = MakePiece<kSymbolUnits>(u' ' + symbol.symbol);
          } else {
            if (IsMedial(jamo)) {
              entry.kana_part = IdOf(vowel_symbols_, symbol.symbol);
            } else {
              entry.final_kana =
                  MakePiece<kSymbolUnits>(FinalKana(symbol.symbol));
            }
            entry.symbol = MakePiece<kSymbolUnits>(symbol.symbol);
          }
        }
      }
    }
    const std::size_t row = vowel_symbols_.size() * 2;
    kana_.resize(initial_symbols_.size() * row);
    // A few dozen initial and vowel symbols: the numbers fit 16 bits.
    assert(kana_.size() <= 0xFFFF);
    for (std::size_t i = 0; i < initial_symbols_.size(); ++i) {
      for (std::size_t v = 0; v < vowel_symbols_.size(); ++v) {
        for (const bool suppress : {false, true}) {
          kana_[i * row + v * 2 + (suppress ? 1 : 0)] = MakePiece<kKanaUnits>(
              SyllableKana(suppress, initial_symbols_[i], vowel_symbols_[v]));
        }
      }
    }
    for (const KanaPiece& kana : kana_) {
      pieces_hold_double_tsu_ = pieces_hold_double_tsu_ || kana.Holds(u"ッッ");
    }
    for (const JamoEntry& entry : entries_) {
      pieces_hold_double_tsu_ =
          pieces_hold_double_tsu_ || entry.final_kana.Holds(u"ッッ");
    }
    // The symbol numbers become the row and the column.
    for (std::size_t letter = 0; letter < kFirstFinalLetter; ++letter) {
      const std::size_t scale = letter < kFirstMedialLetter ? row : 2;
      for (int context = 0; context < kContexts; ++context) {
        JamoEntry& entry = entries_[letter * kContexts + context];
        entry.kana_part = static_cast<std::uint16_t>(entry.kana_part * scale);
      }
    }
  }
  TranscriptionTables(const TranscriptionTables&) = delete;
  TranscriptionTables& operator=(const TranscriptionTables&) = delete;

  // The entries of the letters; a letter's entry between its neighbours is
  // at `letter * kContexts + ContextOf(...)`.
  const JamoEntry* Entries() const { return entries_.data(); }

  // Whether a kana text of the tables holds ッッ itself, so that only a
  // look at the whole kana line finds every one.
  bool PiecesHoldDoubleTsu() const { return pieces_hold_double_tsu_; }

  // From the kana parts of an initial and a vowel.
  const KanaPiece& Kana(bool suppress, std::uint16_t initial,
                        std::uint16_t vowel) const {
    return kana_[initial + vowel + (suppress ? 1 : 0)];
  }

 private:
  static std::uint16_t IdOf(std::vector<std::u16string>& symbols,
                            std::u16string_view symbol) {
    auto it = std::find(symbols.begin(), symbols.end(), symbol);
    if (it == symbols.end()) it = symbols.emplace(symbols.end(), symbol);
    return static_cast<std::uint16_t>(it - symbols.begin());
  }

  std::vector<std::u16string> initial_symbols_;
  std::vector<std::u16string> vowel_symbols_;
  std::vector<JamoEntry> entries_ =
      std::vector<JamoEntry>(kLetterCount * kContexts);
  std::vector<KanaPiece> kana_;
  bool pieces_hold_double_tsu_ = false;
};

// Each notation's tables are made when it is first used: a run seldom uses
// more than one.
const TranscriptionTables& Tables(Notation notation) {
  switch (notation) {
    case Notation::kGlottalStopBefore:
      break;
    case Notation::kApostropheBefore: {
      static const TranscriptionTables tables(Notation::kApostropheBefore);
      return tables;
    }
    case Notation::kApostropheAfter: {
      static const TranscriptionTables tables(Notation::kApostropheAfter);
      return tables;
    }
  }
  static const TranscriptionTables tables(Notation::kGlottalStopBefore);
  return tables;
}

std::u16string_view TrimmedView(std::u16string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && text[begin] <= u' ') ++begin;
  while (end > begin && text[end - 1] <= u' ') --end;
  return text.substr(begin, end - begin);
}

// Working room for one transcription: on the stack for a line of usual
// length, on the heap beyond it.
class Scratch {
 public:
  explicit Scratch(std::size_t units) {
    if (units > kStackUnits) {
      heap_ = std::make_unique_for_overwrite<char16_t[]>(units);
      data_ = heap_.get();
    }
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  char16_t* data() { return data_; }

 private:
  static constexpr std::size_t kStackUnits = 8192;
  char16_t stack_[kStackUnits];
  std::unique_ptr<char16_t[]> heap_;
  char16_t* data_ = stack_;
};

// The three lines being written, each with room for what a reading of
// `units` code units can make: a syllable writes at most " " and an
// initial's symbol, a vowel's and a final's, each copied as a whole
// SymbolPiece, and one kana: two spaces, the syllable's, the final's. Any
// other unit writes itself once. The kana line has a unit before it, so
// that the unit before what is written can always be read.
struct Lines {
  static constexpr std::size_t kSymbolRoomPerUnit = 3 * kSymbolUnits;
  static constexpr std::size_t kKanaRoomPerUnit = 2 + kKanaUnits + kSymbolUnits;

  static constexpr std::size_t Room(std::size_t units) {
    return kSymbolRoomPerUnit * units + kSymbolUnits + 1 +
           kKanaRoomPerUnit * units + kKanaUnits + units;
  }
  Lines(char16_t* room, std::size_t units)
      : symbols(room),
        kana(symbols + kSymbolRoomPerUnit * units + kSymbolUnits + 1),
        marks(kana + kKanaRoomPerUnit * units + kKanaUnits),
        symbols_end(symbols),
        kana_end(kana),
        marks_end(marks) {
    kana[-1] = kNoCharacter;
  }

  char16_t* const symbols;
  char16_t* const kana;
  char16_t* const marks;
  char16_t* symbols_end;
  char16_t* kana_end;
  char16_t* marks_end;
  // Some ッ may stand right after another in the kana.
  bool double_tsu = false;
};

// Whether writing `first` at `at` puts a ッ right after another.
bool MakesDoubleTsu(const char16_t* at, char16_t first) {
  return first == kSmallTsu && at[-1] == kSmallTsu;
}

// What a letter before a syllable decides, for the fast path below: twice
// its class as a previous letter (kNeighbourBits), whether it suppresses
// the ッ of a tensed initial, whether it starts a word.
constexpr std::uint8_t kClassBits = 6;
constexpr std::uint8_t kSuppressesTsu = 8;
constexpr std::uint8_t kStartsWord = 16;

constexpr std::uint8_t LeadBits(char16_t lead) {
  const bool word_start = lead == u' ';
  const auto offset = static_cast<std::size_t>(lead - kJamoBlock);
  return static_cast<std::uint8_t>(
      (offset < kJamoSpan ? kNeighbourBits[offset] & kClassBits : 0) |
      (SuppressesTsu(lead, word_start) ? kSuppressesTsu : 0) |
      (word_start ? kStartsWord : 0));
}

constexpr std::array<std::uint8_t, kLetterCount> kLetterLeadBits = [] {
  std::array<std::uint8_t, kLetterCount> bits{};
  for (std::size_t letter = 0; letter < kLetterCount; ++letter) {
    bits[letter] = LeadBits(JamoOfLetter(letter));
  }
  return bits;
}();

constexpr unsigned kMedialsTimesFinals = 588;  // 21 * 28
constexpr unsigned kFinalsPlusNone = 28;

// The common case: a reading of whole syllables and other characters, no
// jamo of its own. Each syllable's letters and their neighbours are known
// from the syllable itself and the letter before it, so no decomposed text
// is made; the result is the one of the letter-by-letter pass below. Returns
// false, with `lines` part-written, at the first character of the jamo
// block, which that pass must read.
bool TranscribeSyllables(std::u16string_view reading, const JamoEntry* entries,
                         const TranscriptionTables& tables, Lines& lines,
                         bool& any_voiced) {
  char16_t* symbol_at = lines.symbols;
  char16_t* kana_at = lines.kana;
  char16_t* mark_at = lines.marks;
  bool voiced = false;
  bool double_tsu = tables.PiecesHoldDoubleTsu();
  // The reading starts as after a space.
  std::uint8_t lead = LeadBits(u' ');
  for (const char16_t c : reading) {
    if (!IsSyllable(c)) {
      if ((c & 0xFF00) == kJamoBlock) return false;
      *symbol_at++ = c;
      *mark_at++ = u'0';
      double_tsu = double_tsu || MakesDoubleTsu(kana_at, c);
      *kana_at++ = c;
      lead = LeadBits(c);
      continue;
    }
    // The letters: initial l, vowel v, final f when t is not 0.
    const unsigned s = c - kSyllableFirst;
    const unsigned l = s / kMedialsTimesFinals;
    const unsigned vt = s - l * kMedialsTimesFinals;
    const unsigned v = kFirstMedialLetter + vt / kFinalsPlusNone;
    const unsigned t = vt % kFinalsPlusNone;
    // The initial before its vowel, which may make ㅅ palatal; the vowel
    // after its initial and before a final or a letter that never makes
    // anything palatal.
    const JamoEntry& initial = entries[l * kContexts + (lead & kClassBits) +
                                       (kLetterNeighbourBits[v] & 1)];
    const JamoEntry& vowel =
        entries[v * kContexts + (kLetterNeighbourBits[l] & kClassBits)];
    symbol_at = initial.symbol.WriteTo(symbol_at);
    symbol_at = vowel.symbol.WriteTo(symbol_at);
    *mark_at++ = initial.voicing_mark;
    voiced |= initial.voiced | vowel.voiced;
    if (lead & kStartsWord) {
      kana_at[0] = kana_at[1] = u' ';
      kana_at += 2;
    }
    const KanaPiece& kana = tables.Kana((lead & kSuppressesTsu) != 0,
                                        initial.kana_part, vowel.kana_part);
    double_tsu = double_tsu || MakesDoubleTsu(kana_at, kana.units[0]);
    kana_at = kana.WriteTo(kana_at);
    if (t == 0) {
      lead = kLetterLeadBits[v];
      continue;
    }
    const std::size_t f = kFirstFinalLetter + t - 1;
    const JamoEntry& final =
        entries[f * kContexts + (kLetterNeighbourBits[v] & kClassBits)];
    symbol_at = final.symbol.WriteTo(symbol_at);
    double_tsu =
        double_tsu || MakesDoubleTsu(kana_at, final.final_kana.units[0]);
    kana_at = final.final_kana.WriteTo(kana_at);
    voiced |= final.voiced;
    lead = kLetterLeadBits[f];
  }
  lines.symbols_end = symbol_at;
  lines.kana_end = kana_at;
  lines.marks_end = mark_at;
  lines.double_tsu = double_tsu;
  any_voiced = voiced;
  return true;
}

// Any reading, letter by letter over its decomposed text: jamo typed on
// their own, old jamo and syllables mixed. `text_room` has room for three
// units per reading unit and four more. Returns whether some consonant was
// voiced.
bool TranscribeJamo(std::u16string_view reading, const JamoEntry* entries,
                    const TranscriptionTables& tables, char16_t* text_room,
                    Lines& lines) {
  // The decomposed text, with a space added at either end: they give the
  // first and the last jamo a neighbour and make the first syllable a word
  // start. Two more before it stand for "no character" when a syllable's
  // lead is looked for before the start.
  char16_t* const text = text_room + 2;
  text[-2] = text[-1] = kNoCharacter;
  text[0] = u' ';
  char16_t* end = text + 1;
  for (const char16_t c : reading) {
    if (!IsSyllable(c)) {
      *end++ = c;
      continue;
    }
    const unsigned s = c - kSyllableFirst;
    const unsigned t = s % kFinalsPlusNone;
    end[0] = static_cast<char16_t>(kInitialBase + s / kMedialsTimesFinals);
    end[1] = static_cast<char16_t>(kMedialBase +
                                   s % kMedialsTimesFinals / kFinalsPlusNone);
    end[2] = static_cast<char16_t>(kFinalBase + t - 1);
    end += t != 0 ? 3 : 2;
  }
  *end = u' ';

  char16_t* symbol_at = lines.symbols;
  char16_t* kana_at = lines.kana;
  char16_t* mark_at = lines.marks;
  // The syllable being read, until it is written as kana.
  std::uint16_t initial = 0;
  std::uint16_t vowel = 0;
  const SymbolPiece kNoFinal;
  const SymbolPiece* final_kana = &kNoFinal;
  bool any_voiced = false;
  const auto write_syllable = [&](char16_t lead) {
    const bool word_start = lead == u' ';
    if (word_start) {
      kana_at[0] = kana_at[1] = u' ';
      kana_at += 2;
    }
    kana_at = tables.Kana(SuppressesTsu(lead, word_start), initial, vowel)
                  .WriteTo(kana_at);
    kana_at = final_kana->WriteTo(kana_at);
    initial = vowel = 0;
    final_kana = &kNoFinal;
  };

  for (const char16_t* at = text + 1; at < end; ++at) {
    const char16_t c = *at;
    if (IsInitial(c) || IsMedial(c) || IsFinal(c)) {
      const JamoEntry& entry = entries[kLetterOf[c - kJamoBlock] * kContexts +
                                       ContextOf(at[-1], at[1])];
      any_voiced = any_voiced || entry.voiced;
      symbol_at = entry.symbol.WriteTo(symbol_at);
      if (IsInitial(c)) {
        *mark_at++ = entry.voicing_mark;
        initial = entry.kana_part;
      } else if (IsMedial(c)) {
        vowel = entry.kana_part;
        if (!ContinuesSyllable(at[1])) write_syllable(at[-2]);
      } else {
        final_kana = &entry.final_kana;
        write_syllable(at[-3]);
      }
    } else {
      *symbol_at++ = c;
      *mark_at++ = u'0';
      *kana_at++ = c;
      initial = vowel = 0;
      final_kana = &kNoFinal;
    }
  }
  lines.symbols_end = symbol_at;
  lines.kana_end = kana_at;
  lines.marks_end = mark_at;
  lines.double_tsu = true;
  return any_voiced;
}

// Left-to-right, as ReplaceAll(kana, u"ッッ", u"ッ"): a final written ッ
// before a tensed consonant's ッ (맛까 → マッッカ) keeps one of them. Returns
// the new end.
char16_t* MergeDoubleTsu(char16_t* begin, char16_t* end) {
  char16_t* read = begin;
  while (read + 1 < end && !(read[0] == kSmallTsu && read[1] == kSmallTsu)) {
    ++read;
  }
  if (read + 1 >= end) return end;
  char16_t* write = read;
  while (read < end) {
    const bool pair =
        read[0] == kSmallTsu && read + 1 < end && read[1] == kSmallTsu;
    *write++ = *read;
    read += pair ? 2 : 1;
  }
  return write;
}

// Into a buffer that is reused: appended to cleared, the simplest copy.
void AssignTrimmed(const char16_t* begin, const char16_t* end,
                   std::u16string& out) {
  while (begin < end && *begin <= u' ') ++begin;
  while (end > begin && end[-1] <= u' ') --end;
  out.clear();
  out.append(begin, end - begin);
}

}  // namespace

Transcription Transcribe(std::u16string_view reading, Notation notation,
                         StageRecord& record, RecordTexts texts,
                         Transcription out) {
  const TranscriptionTables& tables = Tables(KnownNotation(notation));
  const JamoEntry* const entries = tables.Entries();
  const std::u16string_view trimmed = TrimmedView(reading);
  const std::size_t n = trimmed.size();

  const std::size_t text_room = 2 + 1 + 3 * n + 1;
  Scratch scratch(Lines::Room(n) + text_room);
  Lines lines(scratch.data(), n);
  bool any_voiced = false;
  if (!TranscribeSyllables(trimmed, entries, tables, lines, any_voiced)) {
    any_voiced = TranscribeJamo(trimmed, entries, tables,
                                scratch.data() + Lines::Room(n), lines);
  }

  record.changed[StageId::kVoicing] = any_voiced;
  if (any_voiced && texts == RecordTexts::kAll) {
    std::u16string text = u" ";
    text += DecomposeText(trimmed);
    text += u' ';
    record.results[StageId::kVoicing] = ComposeText(text);
  }

  AssignTrimmed(lines.symbols, lines.symbols_end, out.symbols);
  AssignTrimmed(lines.kana,
                lines.double_tsu ? MergeDoubleTsu(lines.kana, lines.kana_end)
                                 : lines.kana_end,
                out.kana);
  out.voicing_marks.clear();
  out.voicing_marks.append(lines.marks, lines.marks_end - lines.marks);
  out.notation = KnownNotation(notation);
  return out;
}

}  // namespace pimoru
