// Stages 4, 8 and 9: the variations of 의 and 예.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "hangul/jamo.h"
#include "hangul/word_list.h"
#include "pipeline/stages.h"
#include "support/stage_cases.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

void ExpectUiVariationWords(WordListSource& lists,
                            const std::vector<StageCase>& cases) {
  ExpectSyllableStage(ApplyUiVariationWords, cases, StageSetup().With(lists));
}

// The hide-and-restore algorithm that the stages must match on ordinary
// text, written out step by step with its marker texts.
bool MarkerUiVariationWords(std::u16string& text, const WordList* words) {
  bool result = false;
  if (words != nullptr) {
    for (const WordListEntry& entry : *words) {
      const std::u16string& w = entry.text;
      ReplaceAll(text, w + u" ", u"dv$fs");
      std::u16string w2 = w;
      std::replace(w2.begin(), w2.end(), u'의', u'이');
      if (ReplaceAll(text, w, w2)) result = true;
      ReplaceAll(text, u"dv$fs", w + u" ");
    }
  }
  if (!text.empty() && text[0] == u'의') text.replace(0, 1, u"bw%8s");
  ReplaceAll(text, u" 의", u"gv@da");
  if (ReplaceAll(text, u"의", u"에")) result = true;
  ReplaceAll(text, u"gv@da", u" 의");
  ReplaceAll(text, u"bw%8s", u"의");
  return result;
}

bool MarkerYeVariation(std::u16string& text) {
  const std::u16string ye = {ini::kIeung, med::kYe};
  const bool at_start = text.starts_with(ye);
  if (at_start) text.replace(0, 2, u"A%Y");
  ReplaceAll(text, u" " + ye, u"A%Y");
  bool result = false;
  for (int n = 1; n <= kInitialCount; ++n) {
    const std::u16string from = {InitialJamo(n), med::kYe};
    const std::u16string to = {InitialJamo(n), med::kE};
    if (ReplaceAll(text, from, to)) result = true;
  }
  // The 예 that began the text is restored at its start.
  if (at_start) text.replace(0, 3, ye);
  ReplaceAll(text, u"A%Y", u" " + ye);
  return result;
}

// Every text of up to `length` letters of `alphabet`.
std::vector<std::u16string> AllTexts(std::u16string_view alphabet,
                                     std::size_t length) {
  std::vector<std::u16string> texts = {u""};
  for (std::size_t begin = 0; texts.back().size() < length;) {
    const std::size_t end = texts.size();
    for (std::size_t i = begin; i < end; ++i) {
      for (const char16_t c : alphabet) texts.push_back(texts[i] + c);
    }
    begin = end;
  }
  return texts;
}

TEST(UiVariationWords, WithoutListEveryInnerUiIsReadE) {
  NoWordLists lists;
  ExpectUiVariationWords(lists, {
                                    {u"우리의 집", u"우리에 집", true},
                                    {u"의사", u"의사", false},
                                    {u"회의 시간", u"회에 시간", true},
                                    {u"의의", u"의에", true},
                                    {u"우리 의견", u"우리 의견", false},
                                    {u"의 의의 의", u"의 의에 의", true},
                                    // Only a space marks a word start.
                                    {u"a의", u"a에", true},
                                    {u"의\t의", u"의\t에", true},
                                    // Only the syllable 의 itself.
                                    {u"희망 늴리리", u"희망 늴리리", false},
                                    {u"사과", u"사과", false},
                                    {u"", u"", false},
                                });
}

TEST(UiVariationWords, ListedWordsReadI) {
  for (const bool bom : {true, false}) {
    SCOPED_TRACE(bom ? "with BOM" : "without BOM");
    TempFolder folder;
    folder.WriteUtf16("wi3var.txt", u"회의\r\n\r\n주의 x\r\n나무,y\r\n", bom);
    FolderWordLists lists(folder.path());
    ExpectUiVariationWords(
        lists, {
                   {u"회의를", u"회이를", true},
                   // Followed by a space it is left to the general rule.
                   {u"회의 시간", u"회에 시간", true},
                   {u"회의를 회의 회의", u"회이를 회에 회이", true},
                   {u"회의회의 x", u"회이회에 x", true},
                   {u"주의하다", u"주이하다", true},
                   // A listed word without 의 still counts where it occurs,
                   {u"나무", u"나무", true},
                   // but not where a space follows it.
                   {u"나무 위", u"나무 위", false},
                   {u"의회의", u"의회이", true},
                   {u"사과", u"사과", false},
               });
  }
}

TEST(UiVariationWords, TypedMarkerTextsComeOutAsTyped) {
  TempFolder folder;
  folder.WriteUtf16("wi3var.txt", u"회의\r\n");
  FolderWordLists lists(folder.path());
  ExpectUiVariationWords(lists, {
                                    {u"gv@da 의사의", u"gv@da 의사에", true},
                                    {u"bw%8s의", u"bw%8s에", true},
                                    {u"bw%8s", u"bw%8s", false},
                                    {u"의 bw%8sgv@da", u"의 bw%8sgv@da", false},
                                    {u"회의 dv$fs", u"회에 dv$fs", true},
                                    {u"dv$fs회의를", u"dv$fs회이를", true},
                                });
}

TEST(UiVariationWords, MatchesHideAndRestoreOnOrdinaryText) {
  TempFolder folder;
  // An empty word, a word with a space, words that overlap one another.
  folder.WriteUtf16("wi3var.txt",
                    u"회의\r\n의가\r\n가\r\n,x\r\n\"의 회\"\r\n의\r\n");
  LoadedWordLists lists(folder.path());
  const IndexedWordList* const words = lists.Indexed(WordListId::kWi3Var);
  ASSERT_NE(words, nullptr);
  NoWordLists no_lists;

  std::vector<std::u16string> inputs = {
      u"우리의 회의는 의사의 의견대로 한다",
      u"의의 있는 회의 시간의 주의",
      u"민주주의의 의의",
      u"의",
      u" 의",
      u"회의 회의를 회의",
  };
  const std::vector<std::u16string> all = AllTexts(u"의회가 d", 6);
  inputs.insert(inputs.end(), all.begin(), all.end());
  for (const std::u16string& input : inputs) {
    for (const bool with_list : {false, true}) {
      std::u16string expected = input;
      const bool expected_changed = MarkerUiVariationWords(
          expected, with_list ? &words->entries() : nullptr);
      std::u16string text = input;
      WordListSource& source =
          with_list ? static_cast<WordListSource&>(lists) : no_lists;
      const bool changed =
          RunStage(ApplyUiVariationWords, text, StageSetup().With(source));
      if (text != expected || changed != expected_changed) {
        ADD_FAILURE() << "input \"" << U8(input) << "\" with_list " << with_list
                      << ": \"" << U8(text) << "\" " << changed
                      << ", expected \"" << U8(expected) << "\" "
                      << expected_changed;
        return;
      }
    }
  }
}

TEST(YeVariation, YeAfterAConsonantIsReadE) {
  ExpectJamoStage(ApplyYeVariation,
                  {
                      {u"계속", u"게속", true},
                      {u"시계", u"시게", true},
                      {u"혜택 례", u"헤택 례", true},
                      // 례 keeps its ㅖ.
                      {u"사례 조례 실례", u"사례 조례 실례", false},
                      {u"예의", u"예의", false},
                      {u"지혜 예술", u"지헤 예술", true},
                      {u"예 계", u"예 게", true},
                      // Inside a word 예 is read 에.
                      {u"지예", u"지에", true},
                      {u"예예", u"예에", true},
                      {u"예\t예", u"예\t에", true},
                      {u"a예", u"a에", true},
                      {u"사과", u"사과", false},
                      {u"", u"", false},
                  });
}

TEST(YeVariation, TypedMarkerTextsComeOutAsTyped) {
  ExpectJamoStage(ApplyYeVariation, {
                                        {u"A%Y 계", u"A%Y 게", true},
                                        {u"A%Y", u"A%Y", false},
                                        {u"예A%Y예", u"예A%Y에", true},
                                    });
}

TEST(YeVariation, MatchesHideAndRestoreOnOrdinaryText) {
  std::vector<std::u16string> inputs = {
      DecomposeText(u"예의 바른 계획 예술 지혜"),
      DecomposeText(u"예 예예 계예 예"),
  };
  const std::u16string alphabet = {ini::kIeung, med::kYe, ini::kGiyeok,
                                   med::kE,     u' ',     u'A'};
  const std::vector<std::u16string> all = AllTexts(alphabet, 6);
  inputs.insert(inputs.end(), all.begin(), all.end());
  for (const std::u16string& input : inputs) {
    std::u16string expected = input;
    const bool expected_changed = MarkerYeVariation(expected);
    std::u16string text = input;
    const bool changed = RunStage(ApplyYeVariation, text);
    if (text != expected || changed != expected_changed) {
      ADD_FAILURE() << "input \"" << U8(input) << "\": \"" << U8(text) << "\" "
                    << changed << ", expected \"" << U8(expected) << "\" "
                    << expected_changed;
      return;
    }
  }
}

TEST(UiVariation, UiAfterAConsonantIsReadI) {
  ExpectJamoStage(ApplyUiVariation, {
                                        {u"희망", u"히망", true},
                                        {u"긔", u"기", true},
                                        {u"띄어 늴리리", u"띠어 닐리리", true},
                                        {u"의자", u"의자", false},
                                        {u"사과", u"사과", false},
                                        {u"", u"", false},
                                    });
}

}  // namespace
}  // namespace pimoru
