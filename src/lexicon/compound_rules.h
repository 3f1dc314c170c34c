// The rules that say whether a junction of a word takes an inserted ㄴ
// without the word being in the compound lexicon, each from what the
// spelling, the hanja dictionary or the lexicon of word forms shows.
//
// Each takes a stem (a noun as the word forms read it, without its
// particle: 나뭇잎 of 나뭇잎이) and the junction after syllable `at`, and
// decides, or returns nullopt to leave the junction to the next rule.
#ifndef PIMORU_LEXICON_COMPOUND_RULES_H_
#define PIMORU_LEXICON_COMPOUND_RULES_H_

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "lexicon/compound_lexicon.h"
#include "lexicon/hanja_dictionary.h"

namespace pimoru {

// Whether a stretch of Hangul is a noun the lexicon knows as it stands.
using NounTest = std::function<bool(std::u16string_view)>;

// What a rule decided, and why: "나뭇＋잎（사이시옷）".
struct CompoundRuling {
  JunctionTakes takes = JunctionTakes::kInserted;
  std::u16string reason;
  friend bool operator==(const CompoundRuling&,
                         const CompoundRuling&) = default;
};

// The words the standard names apart: read without the ㄴ although they
// are compounds (육이오, 삼일절, 송별연, 등용문), or with or without it
// (검열, 금융, 야금야금).
std::optional<CompoundRuling> StandardException(std::u16string_view stem,
                                                std::size_t at);

// The ㅅ of 사이시옷 before 이, 잎, 잇, 일, 윷 or 열: a noun ending in a
// vowel, its ㅅ, and a noun (나무 + ㅅ + 잎, 뒤 + ㅅ + 이야기). A compound
// by its spelling; the ㅅ and the inserted ㄴ both sound as ㄴ (나문닙).
std::optional<CompoundRuling> SaisiotCompound(std::u16string_view stem,
                                              std::size_t at,
                                              const NounTest& is_noun);

// A word of two syllables spelled all in hanja is one word, not a
// compound: 석유 → 서규, 식욕 → 시굑.
std::optional<CompoundRuling> OneSinoKoreanWord(std::u16string_view stem,
                                                std::size_t at,
                                                const HanjaDictionary& hanja);

// A noun followed by one of the one-syllable nouns that make names of
// places, medicines, oils, uses and inflammations: 용산 + 역, 내복 + 약,
// 식용 + 유, 공업 + 용, 방광 + 염. Not where a hanja prefix stands before a
// Sino-Korean word of two syllables (재 + 활용).
std::optional<CompoundRuling> NounWithSuffixNoun(std::u16string_view stem,
                                                 std::size_t at,
                                                 const HanjaDictionary& hanja,
                                                 const NounTest& is_noun);

// The rules above in order, the first that decides.
std::optional<CompoundRuling> JudgeByRules(std::u16string_view stem,
                                           std::size_t at,
                                           const HanjaDictionary& hanja,
                                           const NounTest& is_noun);

}  // namespace pimoru

#endif  // PIMORU_LEXICON_COMPOUND_RULES_H_
