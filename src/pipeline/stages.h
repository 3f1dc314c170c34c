// The rule stages of the reading conversion, in pipeline order.
//
// Each stage takes the working text by reference, rewrites it in place and
// returns its changed flag: true when one of its patterns occurred or one of
// its questions was answered Yes, not necessarily that the text now differs.
// Stages 1 to 7 work on SyllableText, stages 8 to 22 on the JamoString.
// A jamo stage given `pairs`, made from the text as it stands, passes over
// the tables whose keys the text does not hold without reading the text;
// the stages that take them to change keep them telling of the text as
// they rewrite it.
#ifndef PIMORU_PIPELINE_STAGES_H_
#define PIMORU_PIPELINE_STAGES_H_

#include <string>

#include "hangul/ask.h"
#include "hangul/word_list.h"
#include "pipeline/stage_record.h"

namespace pimoru {

class LetterPairs;  // hangul/rules.h

// spacing.cpp: formatting, word spacing and special words.
bool FormatInput(std::u16string& text);                           // 1
bool AdjustSpacing(std::u16string& text, WordListSource& lists);  // 2
bool ApplySpecialWords(std::u16string& text, WordListSource& lists,
                       StageRecord& record);  // 3

// vowel_variation.cpp: the variations of 의 and 예.
bool ApplyUiVariationWords(std::u16string& text, WordListSource& lists);  // 4
bool ApplyYeVariation(std::u16string& text,
                      const LetterPairs* pairs = nullptr);  // 8
bool ApplyUiVariation(std::u16string& text,
                      LetterPairs* pairs = nullptr);  // 9

// word_rules.cpp: nasalisation and tensification in listed words.
bool ApplyNasalisation1(std::u16string& text, WordListSource& lists);   // 5
bool ApplyTensification1(std::u16string& text, WordListSource& lists);  // 6
bool ApplyTensification2(std::u16string& text, WordListSource& lists);  // 7

// junction.cpp: N-insertion, palatalisation and aspiration.
bool ApplyNInsertion(std::u16string& text, Asker& asker);  // 10
bool ApplyPalatalisation(std::u16string& text,
                         LetterPairs* pairs = nullptr);  // 11
bool ApplyAspiration(std::u16string& text,
                     LetterPairs* pairs = nullptr);  // 12

// liaison.cpp: a final carried over to the next syllable.
bool ApplyLiaison1(std::u16string& text,
                   LetterPairs* pairs = nullptr);  // 13
bool ApplyLiaison2(std::u16string& text,
                   LetterPairs* pairs = nullptr);  // 14

// assimilation.cpp: silencing, nasalisation 2 and lateralisation.
bool ApplySilencing(std::u16string& text, bool h_strong_flg,
                    LetterPairs* pairs = nullptr);  // 15
bool ApplyNasalisation2(std::u16string& text, Asker& asker,
                        const LetterPairs* pairs = nullptr);  // 16
bool ApplyLateralisation(std::u16string& text,
                         LetterPairs* pairs = nullptr);  // 17

// tensification.cpp: tensification after endings and obstruents.
bool ApplyTensification3(std::u16string& text, WordListSource& lists,
                         Asker& asker);  // 18
bool ApplyTensification45(std::u16string& text, Asker& asker,
                          const LetterPairs* pairs = nullptr);  // 19 and 20

// finals.cpp: standard finals and colloquial endings.
bool StandardiseFinals(std::u16string& text,
                       LetterPairs* pairs = nullptr);  // 21
bool RealiseEndings(std::u16string& text);             // 22

}  // namespace pimoru

#endif  // PIMORU_PIPELINE_STAGES_H_
