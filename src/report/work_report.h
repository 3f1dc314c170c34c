// The work report: an HTML page of every stage that changed the text.
//
// The page lists the formatted input, one paragraph per stage that reported
// a change (with a link to the stage's help page, beside it a short note of
// why (ChangeReason), and the changed characters in red), under the stage
// that asked each question with who answered it and why, and the reading
// Hangul. All Korean text is written as numeric
// character references, so only the fixed labels depend on the encoding.
#ifndef PIMORU_REPORT_WORK_REPORT_H_
#define PIMORU_REPORT_WORK_REPORT_H_

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "pipeline/stage_record.h"
#include "render/conversion.h"
#include "render/syllables.h"

namespace pimoru {

// How much of a long input the report shows, so that its page stays a few
// megabytes however long the input (a line of 16 MB gave a page of 3.45 GB):
// each stage's text up to this many characters, followed by "…", and as
// many syllables in the table; a note at the top of the page says where the
// texts were cut.
inline constexpr std::size_t kReportCharacters = 10000;
// The most questions, and places the reading of numbers left as typed,
// listed under a stage; a line counts the rest.
inline constexpr std::size_t kReportListed = 1000;

// Whether each syllable of the report's table links to its sound: the
// window's page does where it can speak, a file for anyone else does not.
enum class SyllableLinks { kNone, kSpeak };

// The scheme of those links: "speak:" and the syllable's UTF-8,
// percent-encoded ("speak:%EA%B6%81" for 궁).
inline constexpr std::u16string_view kSpeakScheme = u"speak";

// Writes the report of a conversion to `path` (UTF-16 little-endian with
// BOM), linking the help pages and the stylesheet in `html_folder`. Does
// nothing when the input is blank. Throws ConversionError when the file
// cannot be written; returns WriteFileAtomically's warning when the file it
// replaced could not keep its owner.
//
// The page is written with WriteFileAtomically: a failed write never leaves
// half a page, an earlier report stays as it was, and only a regular file
// at `path` is ever replaced.
std::optional<std::string> WriteWorkReport(
    const std::filesystem::path& path, const Conversion& conversion,
    const std::filesystem::path& html_folder,
    SyllableLinks links = SyllableLinks::kNone);

// The text of the page, every line ended with CR LF. After the stages and
// the reading, the reading in the other style where there is one, with the
// options that make the difference, and a table that gives each syllable of
// the reading with its symbols and its kana. Texts are cut as
// kReportCharacters says.
std::u16string WorkReportPage(std::u16string_view reading,
                              const StageRecord& record,
                              std::u16string_view voicing_marks,
                              const std::filesystem::path& html_folder,
                              std::span<const SyllableSounds> syllables = {},
                              SyllableLinks links = SyllableLinks::kNone,
                              const OtherForm* other = nullptr);

// Who answered a question and why, as the report lists it under the stage
// that asked: "辞書：목록＝目錄（漢字語）→はい", "回答：はい", "既定：いいえ"
// (a fixed policy, with the dictionary's reason where it could not decide),
// and at how many places an answer remembered was given
// ("回答：はい（同じ語の3か所に同じ答え）").
std::u16string QuestionAnswerText(const RecordedQuestion& question);

// "&#x" + four upper-case hex digits + ";" for every UTF-16 code unit.
std::u16string NumericCharRefs(std::u16string_view text);

// `current` as character references, with the characters that differ from
// `previous` in red (MarkedCharacters): at the same position where the
// lengths are equal, else after aligning the two.
std::u16string HighlightChanges(std::u16string_view previous,
                                std::u16string_view current);

// `text` as character references, with the characters whose mark is "2"
// (voiced) in red. Characters beyond the last mark are left as they are.
std::u16string HighlightVoicing(std::u16string_view text,
                                std::u16string_view voicing_marks);

}  // namespace pimoru

#endif  // PIMORU_REPORT_WORK_REPORT_H_
