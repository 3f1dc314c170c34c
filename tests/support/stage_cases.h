// Tables of stage cases: one row per input, written in syllables, with the
// output and the changed flag the stage must report.
#ifndef PIMORU_TESTS_SUPPORT_STAGE_CASES_H_
#define PIMORU_TESTS_SUPPORT_STAGE_CASES_H_

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "hangul/ask.h"
#include "hangul/jamo.h"
#include "hangul/rules.h"
#include "support/test_support.h"

namespace pimoru {

struct StageCase {
  std::u16string_view input;
  std::u16string_view output;
  bool changed;
};

// A stage of the syllable text (stages 1 to 7): `stage(text)` on each input.
template <typename Stage>
void ExpectSyllableStage(Stage&& stage, const std::vector<StageCase>& cases) {
  for (const StageCase& c : cases) {
    SCOPED_TRACE(U8(c.input));
    std::u16string text(c.input);
    EXPECT_EQ(stage(text), c.changed);
    EXPECT_EQ(U8(text), U8(c.output));
  }
}

// A stage of the jamo text (stages 8 to 22): each input is decomposed, and
// the stage's jamo output is compared whole with the decomposed output, so a
// stray space or a broken syllable shows. A stage that can be told the
// text's letter pairs runs both without them and with them.
template <typename Stage>
void ExpectJamoStage(Stage&& stage, const std::vector<StageCase>& cases) {
  for (const StageCase& c : cases) {
    SCOPED_TRACE(U8(c.input));
    for (const bool told_pairs : {false, true}) {
      SCOPED_TRACE(told_pairs ? "with pairs" : "without pairs");
      std::u16string text = DecomposeText(c.input);
      bool changed = false;
      if constexpr (std::is_invocable_v<Stage, std::u16string&, LetterPairs*>) {
        LetterPairs pairs(text);
        changed = stage(text, told_pairs ? &pairs : nullptr);
        // A stage that may change the pairs keeps them telling of the text.
        if (told_pairs &&
            !std::is_invocable_v<Stage, std::u16string&, const LetterPairs*>) {
          for (std::size_t i = 0; i + 1 < text.size(); ++i) {
            EXPECT_TRUE(pairs.Has(
                LetterPairs::KeyBit(std::u16string_view(text).substr(i, 2))))
                << i;
          }
        }
      } else {
        if (told_pairs) continue;
        changed = stage(text);
      }
      EXPECT_EQ(changed, c.changed);
      EXPECT_EQ(U8(ComposeText(text)), U8(c.output));
      EXPECT_EQ(text, DecomposeText(c.output));
    }
  }
}

// A row for a stage that asks: the scripted answers, and the exact messages
// it must show, in order.
struct AskedCase {
  std::u16string_view input;
  std::vector<bool> answers;
  std::u16string_view output;
  bool changed;
  std::vector<std::u16string> messages;
};

// Runs `stage(jamo_text, asker)` on the decomposed input of one row; a
// stage that can be told the text's letter pairs, without and with them.
template <typename Stage>
void ExpectAskingStage(Stage&& stage, const AskedCase& c) {
  SCOPED_TRACE(U8(c.input));
  for (const bool told_pairs : {false, true}) {
    SCOPED_TRACE(told_pairs ? "with pairs" : "without pairs");
    std::u16string text = DecomposeText(c.input);
    ScriptedAsker asker(c.answers);
    bool changed = false;
    if constexpr (std::is_invocable_v<Stage, std::u16string&, Asker&,
                                      const LetterPairs*>) {
      LetterPairs pairs(text);
      changed = stage(text, asker, told_pairs ? &pairs : nullptr);
    } else {
      if (told_pairs) continue;
      changed = stage(text, asker);
    }
    EXPECT_EQ(changed, c.changed);
    EXPECT_EQ(U8(ComposeText(text)), U8(c.output));
    EXPECT_EQ(asker.messages(), c.messages);
  }
}

}  // namespace pimoru

#endif  // PIMORU_TESTS_SUPPORT_STAGE_CASES_H_
