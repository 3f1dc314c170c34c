// Why a line of the work report changed: a short note, made from the two
// texts alone and what the stage's questions were answered, of which
// letters met and what they became ("ㄱ+ㄹ→ㅇ+ㄴ（漢字語）",
// "ㅅ+ㅎ→ㅌ（語の間）").
#ifndef PIMORU_REPORT_CHANGE_REASONS_H_
#define PIMORU_REPORT_CHANGE_REASONS_H_

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "hangul/question.h"

namespace pimoru {

// The most changes one note names; more are shown as "…".
inline constexpr std::size_t kMaxReasons = 4;

// The note on how `current` came from `previous`: each change, once, in
// text order,
//   at a junction  final + initial → final + initial  ("ㄱ+ㄹ→ㅇ+ㄴ"; a
//                  side without a final is its initial alone: "ㄹ+ㅇ→ㄹ"),
//   of a vowel     "ㅢ→ㅣ",
//   of a final before a pause   "ㅅ→ㄷ",
//   elsewhere      the words as they were and became ("한 벌→한$벌"),
// then in brackets what the questions answered Yes say of the place
// ("漢字語", "合成語") and "語の間" where a change reaches across a space.
// Empty when the texts are equal.
std::u16string ChangeReason(std::u16string_view previous,
                            std::u16string_view current,
                            std::span<const RecordedQuestion> questions);

}  // namespace pimoru

#endif  // PIMORU_REPORT_CHANGE_REASONS_H_
