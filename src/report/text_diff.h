// Where one stage's text differs from the one before it.
//
// Most stages replace letters and keep the length; the spacing, the special
// words and a reading across the spaces between words put in or take out
// characters. A change of the second kind must mark only what changed, not
// everything after it, so texts of different lengths are aligned first.
#ifndef PIMORU_REPORT_TEXT_DIFF_H_
#define PIMORU_REPORT_TEXT_DIFF_H_

#include <cstddef>
#include <string_view>
#include <vector>

namespace pimoru {

// A stretch [previous_begin, previous_end) of the previous text that became
// [current_begin, current_end) of the current one; either may be empty (a
// character taken out, or put in).
struct DiffHunk {
  std::size_t previous_begin = 0;
  std::size_t previous_end = 0;
  std::size_t current_begin = 0;
  std::size_t current_end = 0;

  friend bool operator==(const DiffHunk&, const DiffHunk&) = default;
};

// The stretches in which `current` differs from `previous`, in text order;
// none when they are equal. Texts of the same length are compared position
// by position. Others are aligned by a shortest edit script over what lies
// between their common start and end; where that would take more than
// kMaxAlignedEdits edits (a long text changed all over), each half is
// aligned on its own, which may mark a little more than changed. The joins
// of the spacing, which the record shows as "$", leave the text after it
// without being a change: a "$" only taken out makes no stretch.
std::vector<DiffHunk> DiffHunks(std::u16string_view previous,
                                std::u16string_view current);

inline constexpr std::size_t kMaxAlignedEdits = 1000;

// For each character of `current`, whether the report marks it: a
// character put in or replaced, and for a character only taken out its
// neighbour in `current` (the next one, or the one before it where the next
// is blank or missing), so that every change shows. Nothing is marked when
// the texts are equal.
std::vector<bool> MarkedCharacters(std::u16string_view previous,
                                   std::u16string_view current);

}  // namespace pimoru

#endif  // PIMORU_REPORT_TEXT_DIFF_H_
