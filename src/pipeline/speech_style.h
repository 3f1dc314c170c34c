// Textbook and everyday speech.
//
// Some options relax speech the way Koreans talk (a weakened ㅎ dropped
// altogether, the formal endings as they are said); off, every one of them
// keeps to the standard pronunciation that textbooks teach. A reading made
// with either set of them can be shown beside the other, with the options
// that make the difference.
#ifndef PIMORU_PIPELINE_SPEECH_STYLE_H_
#define PIMORU_PIPELINE_SPEECH_STYLE_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hangul/question.h"
#include "hangul/word_list.h"
#include "pipeline/options.h"
#include "pipeline/stage_record.h"

namespace pimoru {

// An option whose off state is the standard pronunciation, with its label
// in the window.
struct RelaxingOption {
  bool Options::*flag;
  std::u16string_view label;
};

inline constexpr RelaxingOption kRelaxingOptions[] = {
    {&Options::h_strong_flg, u"ㅎの弱音化を無音化にする"},
    {&Options::e_real_flg, u"リアル文末表現"},
};

// The relaxing options all off (the textbook's standard pronunciation), all
// on (everyday speech), or some of each.
enum class SpeechStyle { kTextbook, kEveryday, kMixed };

SpeechStyle StyleOf(const Options& options);
// `options` with every relaxing option off for kTextbook, on for kEveryday;
// kMixed leaves them as they are.
Options WithStyle(Options options, SpeechStyle style);

// What a reading of the style is called beside the other: "標準発音",
// "日常の発音".
std::u16string_view ReadingName(SpeechStyle style);

// The reading of the same input in the other style: the standard
// pronunciation where the options relax speech, everyday speech where they
// keep to the standard.
struct OtherForm {
  SpeechStyle style = SpeechStyle::kTextbook;  // kTextbook or kEveryday
  std::u16string reading;
  // The relaxing options that, set as `style` has them, make the
  // difference: the labels of those that change the reading on their own,
  // or of all that differ when none does alone.
  std::vector<std::u16string_view> because;
};

// The other form of `reading`, made from `input` with `options` in the
// other style; nullopt where it reads the same. Each question is answered as
// in `answered`, the record of the conversion that gave `reading` (the
// same word and place, in order); one that conversion did not ask goes to
// `unasked`.
std::optional<OtherForm> OtherFormOf(std::u16string_view input,
                                     const Options& options,
                                     std::u16string_view reading,
                                     WordListSource& lists,
                                     const StageRecord& answered,
                                     Asker& unasked);

// The report's note on the other form:
// "（「リアル文末表現」をオフにした読み）".
std::u16string OtherFormNote(const OtherForm& other);

}  // namespace pimoru

#endif  // PIMORU_PIPELINE_SPEECH_STYLE_H_
