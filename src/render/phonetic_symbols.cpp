// The phonetic symbol of one jamo: voicing, palatal ㅅ/ㅆ, ㅢ after the silent
// ㅇ, unreleased finals and the three notations of tensed consonants.
#include <array>
#include <string>
#include <string_view>

#include "hangul/jamo.h"
#include "render/jamo_context.h"
#include "render/transcription.h"

namespace pimoru {
namespace {

struct InitialSymbol {
  char16_t jamo;
  std::u16string_view plain;
  std::u16string_view voiced;   // between voiced sounds; empty: never voiced
  std::u16string_view palatal;  // before i and y-vowels; empty: never palatal
  bool tensed;  // plain and palatal are the base letter of a tensed consonant
};

constexpr std::array<InitialSymbol, kInitialCount> kInitialSymbols = {{
    {ini::kGiyeok, u"k", u"ɡ", u"", false},  // ɡ is U+0261, script g
    {ini::kSsangGiyeok, u"k", u"", u"", true},
    {ini::kNieun, u"n", u"", u"", false},
    {ini::kDigeut, u"t", u"d", u"", false},
    {ini::kSsangDigeut, u"t", u"", u"", true},
    {ini::kRieul, u"r", u"", u"", false},
    {ini::kMieum, u"m", u"", u"", false},
    {ini::kBieup, u"p", u"b", u"", false},
    {ini::kSsangBieup, u"p", u"", u"", true},
    {ini::kSiot, u"s", u"", u"ʃ", false},
    {ini::kSsangSiot, u"s", u"", u"ʃ", true},
    {ini::kIeung, u"", u"", u"", false},  // the silent ㅇ writes nothing
    {ini::kJieut, u"ʧ", u"ʤ", u"", false},
    {ini::kSsangJieut, u"ʧ", u"", u"", true},
    {ini::kChieut, u"ʧʰ", u"", u"", false},
    {ini::kKieuk, u"kʰ", u"", u"", false},
    {ini::kTieut, u"tʰ", u"", u"", false},
    {ini::kPieup, u"pʰ", u"", u"", false},
    {ini::kHieut, u"h", u"ɦ", u"", false},
}};

struct MedialSymbol {
  char16_t jamo;
  std::u16string_view symbol;
};

// clang-format off
constexpr std::array<MedialSymbol, kMedialCount> kMedialSymbols = {{
    {med::kA, u"a"},   {med::kAe, u"ɛ"},   {med::kYa, u"ja"},  {med::kYae, u"jɛ"},
    {med::kEo, u"ɔ"},  {med::kE, u"e"},    {med::kYeo, u"jɔ"}, {med::kYe, u"je"},
    {med::kO, u"o"},   {med::kWa, u"wa"},  {med::kWae, u"wɛ"}, {med::kOe, u"we"},
    {med::kYo, u"jo"}, {med::kU, u"u"},    {med::kWo, u"wɔ"},  {med::kWe, u"we"},
    {med::kWi, u"wi"}, {med::kYu, u"ju"},  {med::kEu, u"ɯ"},
    {med::kUi, u"i"},  // "ɯi" after the silent ㅇ (의), see below
    {med::kI, u"i"},
}};
// clang-format on

constexpr std::u16string_view kUiAfterSilentIeung = u"ɯi";  // 의
// An initial ㄹ after a final ㄹ is a long lateral, not a flap: 몰라요 → mol
// la jo.
constexpr std::u16string_view kRieulAfterRieul = u"l";

struct FinalSymbol {
  char16_t jamo;
  std::u16string_view symbol;
};

// Finals are unreleased stops (superscript letters), nasals or l.
constexpr std::array<FinalSymbol, kFinalCount> kFinalSymbols = {{
    {fin::kGiyeok, u"ᵏ"},      {fin::kSsangGiyeok, u"ᵏ"},
    {fin::kGiyeokSiot, u"ᵏ"},  {fin::kNieun, u"n"},
    {fin::kNieunJieut, u"n"},  {fin::kNieunHieut, u"n"},
    {fin::kDigeut, u"ᵗ"},      {fin::kRieul, u"l"},
    {fin::kRieulGiyeok, u"l"}, {fin::kRieulMieum, u"m"},
    {fin::kRieulBieup, u"l"},  {fin::kRieulSiot, u"l"},
    {fin::kRieulTieut, u"l"},  {fin::kRieulPieup, u"ᵖ"},
    {fin::kRieulHieut, u"l"},  {fin::kMieum, u"m"},
    {fin::kBieup, u"ᵖ"},       {fin::kBieupSiot, u"ᵖ"},
    {fin::kSiot, u"ᵗ"},        {fin::kSsangSiot, u"ᵗ"},
    {fin::kIeung, u"ŋ"},       {fin::kJieut, u"ᵗ"},
    {fin::kChieut, u"ᵗ"},      {fin::kKieuk, u"ᵏ"},
    {fin::kTieut, u"ᵗ"},       {fin::kPieup, u"ᵖ"},
    {fin::kHieut, u"ᵗ"},
}};

// Each table is looked up by the jamo's number, so its rows must be in
// Unicode order.
template <typename Row, std::size_t N>
constexpr bool InJamoOrder(const std::array<Row, N>& rows, char16_t base) {
  for (std::size_t k = 0; k < N; ++k) {
    if (rows[k].jamo != base + k) return false;
  }
  return true;
}
static_assert(InJamoOrder(kInitialSymbols, kInitialBase));
static_assert(InJamoOrder(kMedialSymbols, kMedialBase));
static_assert(InJamoOrder(kFinalSymbols, kFinalBase));

constexpr std::u16string_view kGlottalStop = u"ˀ";  // U+02C0, before
constexpr std::u16string_view kApostrophe = u"ʼ";   // U+02BC, before or after

std::u16string Tensed(std::u16string_view base, Notation notation) {
  switch (KnownNotation(notation)) {
    case Notation::kGlottalStopBefore:
      break;
    case Notation::kApostropheBefore:
      return std::u16string(kApostrophe) + std::u16string(base);
    case Notation::kApostropheAfter:
      return std::u16string(base) + std::u16string(kApostrophe);
  }
  return std::u16string(kGlottalStop) + std::u16string(base);
}

}  // namespace

PhoneticSymbol SymbolForJamo(char16_t current, char16_t previous, char16_t next,
                             Notation notation) {
  if (IsInitial(current)) {
    if (current == ini::kRieul && previous == fin::kRieul) {
      return {std::u16string(kRieulAfterRieul), false};
    }
    const InitialSymbol& row = kInitialSymbols[current - kInitialBase];
    if (!row.voiced.empty() && VoicesNextInitial(previous)) {
      return {std::u16string(row.voiced), true};
    }
    const std::u16string_view letter =
        !row.palatal.empty() && MakesPalatal(next) ? row.palatal : row.plain;
    if (row.tensed) return {Tensed(letter, notation), false};
    return {std::u16string(letter), false};
  }
  if (IsMedial(current)) {
    if (current == med::kUi && previous == ini::kIeung) {
      return {std::u16string(kUiAfterSilentIeung), false};
    }
    return {std::u16string(kMedialSymbols[current - kMedialBase].symbol),
            false};
  }
  if (IsFinal(current)) {
    return {std::u16string(kFinalSymbols[current - kFinalBase].symbol), false};
  }
  return {std::u16string(1, current), false};
}

}  // namespace pimoru
