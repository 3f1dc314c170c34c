// Which of a word's hanja spellings is the likeliest, when the hanja
// dictionary has several (강릉: 岡陵, 江陵, 康陵).
//
// The dictionary mostly lists a word's common spelling first, but not
// always: a rare homograph or a word of the classics may stand before it
// (표준: 瓢樽 before 標準; 강릉: 岡陵 before 江陵). What the dictionary
// shows of a spelling's use is how many longer words begin with it (江陵
// begins 江陵市, 江陵假面劇, ...; 岡陵 none). A first spelling that begins
// no longer word gives way to the one that begins the most, if that one
// begins at least kLeastAttested; otherwise the dictionary's order stands.
// tests/data/hanja_homographs.tsv holds the words of everyday prose and the
// place names on which this was measured.
#ifndef PIMORU_LEXICON_HANJA_RANKING_H_
#define PIMORU_LEXICON_HANJA_RANKING_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/hanja_dictionary.h"

namespace pimoru {

// One longer word is as often a name or a term of the classics as a sign
// of use (堂神 begins one, against 當身's none).
inline constexpr std::size_t kLeastAttested = 2;
// How many spellings a word is shown with before "…".
inline constexpr std::size_t kShownSpellings = 2;

// The word's spellings all in hanja, the likeliest first and the others
// after it in the dictionary's order; empty when it has none.
std::vector<HanjaEntry> RankedHanja(const HanjaDictionary& hanja,
                                    std::u16string_view word);

// The spellings as a reader is shown them: "江陵", "鐘路／宗老…".
std::u16string ShownHanja(const std::vector<HanjaEntry>& ranked);

}  // namespace pimoru

#endif  // PIMORU_LEXICON_HANJA_RANKING_H_
