// The two text forms of the tool and the conversion between them.
//
// SyllableText is text as typed: Hangul as precomposed syllables
// (U+AC00..U+D7A3) among any other characters. A jamo text writes every
// syllable as its conjoining jamo (initial, medial and, if any, final) and
// keeps every other character in place. Rules name letters by their number
// within a class through InitialJamo, MedialJamo and FinalJamo, or by the
// named constants in the ini, med and fin namespaces below; this header is
// the only place that knows the code points.
#ifndef PIMORU_HANGUL_JAMO_H_
#define PIMORU_HANGUL_JAMO_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pimoru {

inline constexpr char16_t kSyllableFirst = 0xAC00;  // 가
inline constexpr char16_t kSyllableLast = 0xD7A3;   // 힣
inline constexpr char16_t kInitialBase = 0x1100;
inline constexpr char16_t kMedialBase = 0x1161;
inline constexpr char16_t kFinalBase = 0x11A8;
inline constexpr int kInitialCount = 19;
inline constexpr int kMedialCount = 21;
inline constexpr int kFinalCount = 27;

// The conjoining jamo of number n within its class (1-based), or 0 when n is
// outside the numbering.
constexpr char16_t InitialJamo(int n) {
  return n >= 1 && n <= kInitialCount
             ? static_cast<char16_t>(kInitialBase + n - 1)
             : u'\0';
}
constexpr char16_t MedialJamo(int n) {
  return n >= 1 && n <= kMedialCount
             ? static_cast<char16_t>(kMedialBase + n - 1)
             : u'\0';
}
constexpr char16_t FinalJamo(int n) {
  return n >= 1 && n <= kFinalCount ? static_cast<char16_t>(kFinalBase + n - 1)
                                    : u'\0';
}

// In a line read as one breath, the space between two Hangul words, while
// the jamo stages run: the rules that link words across it name it, the
// others stop at it as at a space. A noncharacter, which no text exchanged
// holds; it is a space again in every text the stages show.
inline constexpr char16_t kWordBoundary = 0xFDD0;

// Between stages 2 and 3, the join of a native number word to its counter,
// shown as "$" in the record (한$개) and written "$" in kspecial.txt and
// wi3var.txt. A noncharacter as well, so that a "$" the user typed stays as
// typed.
inline constexpr char16_t kJoinMarker = 0xFDD1;

constexpr bool IsSyllable(char16_t c) {
  return c >= kSyllableFirst && c <= kSyllableLast;
}
constexpr bool IsInitial(char16_t c) {
  return c >= kInitialBase && c < kInitialBase + kInitialCount;
}
constexpr bool IsMedial(char16_t c) {
  return c >= kMedialBase && c < kMedialBase + kMedialCount;
}
constexpr bool IsFinal(char16_t c) {
  return c >= kFinalBase && c < kFinalBase + kFinalCount;
}
constexpr bool IsJamo(char16_t c) {
  return IsInitial(c) || IsMedial(c) || IsFinal(c);
}

// Initial consonants, by letter name.
namespace ini {
inline constexpr char16_t kGiyeok = InitialJamo(1);       // ㄱ
inline constexpr char16_t kSsangGiyeok = InitialJamo(2);  // ㄲ
inline constexpr char16_t kNieun = InitialJamo(3);        // ㄴ
inline constexpr char16_t kDigeut = InitialJamo(4);       // ㄷ
inline constexpr char16_t kSsangDigeut = InitialJamo(5);  // ㄸ
inline constexpr char16_t kRieul = InitialJamo(6);        // ㄹ
inline constexpr char16_t kMieum = InitialJamo(7);        // ㅁ
inline constexpr char16_t kBieup = InitialJamo(8);        // ㅂ
inline constexpr char16_t kSsangBieup = InitialJamo(9);   // ㅃ
inline constexpr char16_t kSiot = InitialJamo(10);        // ㅅ
inline constexpr char16_t kSsangSiot = InitialJamo(11);   // ㅆ
inline constexpr char16_t kIeung = InitialJamo(12);       // ㅇ (silent)
inline constexpr char16_t kJieut = InitialJamo(13);       // ㅈ
inline constexpr char16_t kSsangJieut = InitialJamo(14);  // ㅉ
inline constexpr char16_t kChieut = InitialJamo(15);      // ㅊ
inline constexpr char16_t kKieuk = InitialJamo(16);       // ㅋ
inline constexpr char16_t kTieut = InitialJamo(17);       // ㅌ
inline constexpr char16_t kPieup = InitialJamo(18);       // ㅍ
inline constexpr char16_t kHieut = InitialJamo(19);       // ㅎ
}  // namespace ini

// Medial vowels, by their usual romanisation.
namespace med {
inline constexpr char16_t kA = MedialJamo(1);     // ㅏ
inline constexpr char16_t kAe = MedialJamo(2);    // ㅐ
inline constexpr char16_t kYa = MedialJamo(3);    // ㅑ
inline constexpr char16_t kYae = MedialJamo(4);   // ㅒ
inline constexpr char16_t kEo = MedialJamo(5);    // ㅓ
inline constexpr char16_t kE = MedialJamo(6);     // ㅔ
inline constexpr char16_t kYeo = MedialJamo(7);   // ㅕ
inline constexpr char16_t kYe = MedialJamo(8);    // ㅖ
inline constexpr char16_t kO = MedialJamo(9);     // ㅗ
inline constexpr char16_t kWa = MedialJamo(10);   // ㅘ
inline constexpr char16_t kWae = MedialJamo(11);  // ㅙ
inline constexpr char16_t kOe = MedialJamo(12);   // ㅚ
inline constexpr char16_t kYo = MedialJamo(13);   // ㅛ
inline constexpr char16_t kU = MedialJamo(14);    // ㅜ
inline constexpr char16_t kWo = MedialJamo(15);   // ㅝ
inline constexpr char16_t kWe = MedialJamo(16);   // ㅞ
inline constexpr char16_t kWi = MedialJamo(17);   // ㅟ
inline constexpr char16_t kYu = MedialJamo(18);   // ㅠ
inline constexpr char16_t kEu = MedialJamo(19);   // ㅡ
inline constexpr char16_t kUi = MedialJamo(20);   // ㅢ
inline constexpr char16_t kI = MedialJamo(21);    // ㅣ
}  // namespace med

// Final consonants, by letter name; clusters name both letters.
namespace fin {
inline constexpr char16_t kGiyeok = FinalJamo(1);       // ㄱ
inline constexpr char16_t kSsangGiyeok = FinalJamo(2);  // ㄲ
inline constexpr char16_t kGiyeokSiot = FinalJamo(3);   // ㄳ
inline constexpr char16_t kNieun = FinalJamo(4);        // ㄴ
inline constexpr char16_t kNieunJieut = FinalJamo(5);   // ㄵ
inline constexpr char16_t kNieunHieut = FinalJamo(6);   // ㄶ
inline constexpr char16_t kDigeut = FinalJamo(7);       // ㄷ
inline constexpr char16_t kRieul = FinalJamo(8);        // ㄹ
inline constexpr char16_t kRieulGiyeok = FinalJamo(9);  // ㄺ
inline constexpr char16_t kRieulMieum = FinalJamo(10);  // ㄻ
inline constexpr char16_t kRieulBieup = FinalJamo(11);  // ㄼ
inline constexpr char16_t kRieulSiot = FinalJamo(12);   // ㄽ
inline constexpr char16_t kRieulTieut = FinalJamo(13);  // ㄾ
inline constexpr char16_t kRieulPieup = FinalJamo(14);  // ㄿ
inline constexpr char16_t kRieulHieut = FinalJamo(15);  // ㅀ
inline constexpr char16_t kMieum = FinalJamo(16);       // ㅁ
inline constexpr char16_t kBieup = FinalJamo(17);       // ㅂ
inline constexpr char16_t kBieupSiot = FinalJamo(18);   // ㅄ
inline constexpr char16_t kSiot = FinalJamo(19);        // ㅅ
inline constexpr char16_t kSsangSiot = FinalJamo(20);   // ㅆ
inline constexpr char16_t kIeung = FinalJamo(21);       // ㅇ
inline constexpr char16_t kJieut = FinalJamo(22);       // ㅈ
inline constexpr char16_t kChieut = FinalJamo(23);      // ㅊ
inline constexpr char16_t kKieuk = FinalJamo(24);       // ㅋ
inline constexpr char16_t kTieut = FinalJamo(25);       // ㅌ
inline constexpr char16_t kPieup = FinalJamo(26);       // ㅍ
inline constexpr char16_t kHieut = FinalJamo(27);       // ㅎ
}  // namespace fin

// The compatibility letter (U+3131..U+3163) in which a conjoining jamo is
// shown to the user; an initial and a final of the same letter share one.
// 0 for every other code unit.
char16_t CompatibilityJamo(char16_t c);

// The two or three jamo of one precomposed syllable; any other code unit is
// returned as it is.
std::u16string DecomposeSyllable(char16_t syllable);

// SyllableText to a jamo text: every syllable becomes its jamo, everything
// else is copied. Nothing is trimmed.
std::u16string DecomposeText(std::u16string_view text);

// U+AC00 + l * 588 + v * 28 + t in 16-bit arithmetic (l and v 0-based, t the
// final number or 0).
char16_t ComposeSyllable(int l, int v, int t);

// One syllable from a group of two or three jamo; any other group unchanged.
// A group that does not begin with an initial followed by a medial (and, if
// three long, a final) is also returned unchanged: it can only come from
// conjoining jamo typed by the user and has no syllable.
std::u16string ComposeGroup(std::u16string_view group);

// A jamo text back to SyllableText, trimmed. A jamo that follows a whole
// syllable (typed as conjoining jamo by the user) stays as it is, and the
// syllable before it is composed all the same.
std::u16string ComposeText(std::u16string_view jamo);

// Removes every code unit at or below U+0020 from both ends.
std::u16string Trim(std::u16string_view text);
void TrimInPlace(std::u16string& text);

// The first place at or after `from` where `pattern` stands, or npos: the
// same as std::u16string_view::find, a few units at a time.
std::size_t Find(std::u16string_view text, std::u16string_view pattern,
                 std::size_t from = 0);

// Replaces every occurrence of `pattern` by `replacement`, left to right,
// without searching a replacement again. Returns whether the pattern occurred;
// an empty pattern never occurs.
bool ReplaceAll(std::u16string& text, std::u16string_view pattern,
                std::u16string_view replacement);

// The same, appending to `written_at` the position in the new text at which
// each replacement was written.
bool ReplaceAll(std::u16string& text, std::u16string_view pattern,
                std::u16string_view replacement,
                std::vector<std::size_t>& written_at);

// The space-delimited word around place `at`: from after the last U+0020
// before it up to the next U+0020 after it. At a space, the word that
// follows.
std::u16string WordAt(std::u16string_view text, std::size_t at);

// The syllable whose initial and medial stand just before place `at` of a
// jamo text, closed with `final_jamo`.
std::u16string SyllableWithFinal(std::u16string_view jamo, std::size_t at,
                                 char16_t final_jamo);

// The syllable that begins at place `at` of a jamo text, with its initial
// replaced by `initial_jamo`.
std::u16string SyllableWithInitial(std::u16string_view jamo, std::size_t at,
                                   char16_t initial_jamo);

}  // namespace pimoru

#endif  // PIMORU_HANGUL_JAMO_H_
