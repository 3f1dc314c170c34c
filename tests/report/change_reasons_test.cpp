// The note beside each line of the report: which letters met and what they
// became, and why where the questions tell it.
#include "report/change_reasons.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"

namespace pimoru {
namespace {

RecordedQuestion Asked(QuestionKind kind, bool yes) {
  RecordedQuestion q;
  q.kind = kind;
  q.answer.yes = yes;
  return q;
}

TEST(ChangeReason, NamesTheLettersThatMetAndWhatTheyBecame) {
  const std::vector<RecordedQuestion> none;
  const std::vector<RecordedQuestion> sino = {
      Asked(QuestionKind::kSinoKoreanNasalisation, true)};
  const std::vector<RecordedQuestion> refused = {
      Asked(QuestionKind::kSinoKoreanNasalisation, false)};
  const std::vector<RecordedQuestion> compound_and_sino = {
      Asked(QuestionKind::kNInsertion, true),
      Asked(QuestionKind::kSinoKoreanNasalisation, true),
      Asked(QuestionKind::kNInsertion, true)};
  struct Case {
    const char16_t* previous;
    const char16_t* current;
    const std::vector<RecordedQuestion>& questions;
    const char16_t* reason;
  } const cases[] = {
      // A junction: both letters changed, and why from the answers.
      {u"목록", u"몽녹", sino, u"ㄱ+ㄹ→ㅇ+ㄴ（漢字語）"},
      {u"목록", u"몽녹", none, u"ㄱ+ㄹ→ㅇ+ㄴ"},
      // An answer No tells nothing of a change.
      {u"국물", u"궁물", refused, u"ㄱ+ㅁ→ㅇ+ㅁ"},
      // The final moves over: a side without a final is its initial.
      {u"같이", u"가치", none, u"ㅌ+ㅇ→ㅊ"},
      {u"먹어요", u"머거요", none, u"ㄱ+ㅇ→ㄱ"},
      // Read in one breath: across the space.
      {u"옷 한 벌", u"오 탄 벌", none, u"ㅅ+ㅎ→ㅌ（語の間）"},
      {u"할 일이", u"하릴이", none, u"ㄹ+ㅇ→ㄹ（語の間）"},
      // A final before a pause, a vowel.
      {u"옷 한벌", u"옫 한벌", none, u"ㅅ→ㄷ"},
      {u"의사", u"으사", none, u"ㅢ→ㅡ"},
      // A word's first consonant.
      {u"녀자", u"여자", none, u"ㄴ→ㅇ"},
      // Two places, each once, in text order; the labels once each.
      {u"국물 국물 식용유", u"궁물 궁물 시굥뉴", compound_and_sino,
       u"ㄱ+ㅁ→ㅇ+ㅁ、ㄱ+ㅇ→ㄱ、ㅇ+ㅇ→ㅇ+ㄴ（合成語、漢字語）"},
      // Spaces only: the words as they were and became.
      {u"일 년이", u"일년이", none, u"일 년이→일년이"},
      {u"옷 한 벌", u"옷 한$벌", none, u"한 벌→한$벌"},
      // The spacing's join leaving is no change.
      {u"옷 한$벌", u"옫 한벌", none, u"ㅅ→ㄷ"},
      // Syllables put in: the words.
      {u"사과 1개", u"사과 한 개", none, u"1개→한 개"},
      // Nothing changed, or only a join gone: no note at all.
      {u"가나", u"가나", sino, u""},
      {u"한$벌", u"한벌", none, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.previous) + " → " + U8(c.current));
    EXPECT_EQ(U8(ChangeReason(c.previous, c.current, c.questions)),
              U8(c.reason));
  }
}

TEST(ChangeReason, NamesAtMostAFewChanges) {
  // Five kinds of liaison: four are named.
  const std::u16string reason = ChangeReason(u"각이 낟이 밥이 맛이 잦이",
                                             u"가기 나디 바비 마시 자지", {});
  EXPECT_EQ(U8(reason), "ㄱ+ㅇ→ㄱ、ㄷ+ㅇ→ㄷ、ㅂ+ㅇ→ㅂ、ㅅ+ㅇ→ㅅ、…");
}

}  // namespace
}  // namespace pimoru
