// Tables of stage cases: one row per input, written in syllables, with the
// output and the changed flag the stage must report.
#ifndef PIMORU_TESTS_SUPPORT_STAGE_CASES_H_
#define PIMORU_TESTS_SUPPORT_STAGE_CASES_H_

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "hangul/jamo.h"
#include "hangul/question.h"
#include "hangul/word_list.h"
#include "pipeline/options.h"
#include "pipeline/stage_context.h"
#include "pipeline/stage_record.h"
#include "support/test_support.h"

namespace pimoru {

using StageFunction = bool (*)(StageContext&);

// What a stage run on its own is given; null: no word lists, every question
// answered No, a record of its own.
struct StageSetup {
  Options options;
  WordListSource* lists = nullptr;
  Asker* asker = nullptr;
  StageRecord* record = nullptr;
  bool plain = false;  // every rule, pass and list entry tried

  StageSetup& With(WordListSource& source) {
    lists = &source;
    return *this;
  }
  StageSetup& With(Asker& answerer) {
    asker = &answerer;
    return *this;
  }
  StageSetup& With(StageRecord& kept) {
    record = &kept;
    return *this;
  }
};

// Runs one stage on `text` in a context of its own, as the driver runs it:
// `text` is SyllableText for stages 1 to 7 and a jamo text for 8 to 22.
bool RunStage(StageFunction stage, std::u16string& text,
              const StageSetup& setup = {});

struct StageCase {
  std::u16string_view input;
  std::u16string_view output;
  bool changed;
};

// A stage of the syllable text (stages 1 to 7) on each input.
inline void ExpectSyllableStage(StageFunction stage,
                                const std::vector<StageCase>& cases,
                                const StageSetup& setup = {}) {
  for (const StageCase& c : cases) {
    SCOPED_TRACE(U8(c.input));
    std::u16string text(c.input);
    EXPECT_EQ(RunStage(stage, text, setup), c.changed);
    EXPECT_EQ(U8(text), U8(c.output));
  }
}

// A stage of the jamo text (stages 8 to 22): each input is decomposed, and
// the stage's jamo output is compared whole with the decomposed output, so a
// stray space or a broken syllable shows.
inline void ExpectJamoStage(StageFunction stage,
                            const std::vector<StageCase>& cases,
                            const StageSetup& setup = {}) {
  for (const StageCase& c : cases) {
    SCOPED_TRACE(U8(c.input));
    std::u16string text = DecomposeText(c.input);
    EXPECT_EQ(RunStage(stage, text, setup), c.changed);
    EXPECT_EQ(U8(ComposeText(text)), U8(c.output));
    EXPECT_EQ(text, DecomposeText(c.output));
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

// Runs a jamo stage on the decomposed input of one row.
inline void ExpectAskingStage(StageFunction stage, const AskedCase& c,
                              StageSetup setup = {}) {
  SCOPED_TRACE(U8(c.input));
  std::u16string text = DecomposeText(c.input);
  ScriptedAsker asker(c.answers);
  setup.asker = &asker;
  EXPECT_EQ(RunStage(stage, text, setup), c.changed);
  EXPECT_EQ(U8(ComposeText(text)), U8(c.output));
  EXPECT_EQ(asker.messages(), c.messages);
}

}  // namespace pimoru

#endif  // PIMORU_TESTS_SUPPORT_STAGE_CASES_H_
