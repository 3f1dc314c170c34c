// Read as one breath: the sound changes across the spaces between words,
// the pauses where nothing links, and the spaces the reading keeps.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "hangul/word_list.h"
#include "pipeline/options.h"
#include "pipeline/pipeline.h"
#include "pipeline/stage_record.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

struct PhraseCase {
  std::u16string_view input;
  std::u16string_view reading;
};

// The shipped lists, N-insertion as `n_insert` says, every question
// answered `answer`.
void ExpectPhraseReadings(const std::vector<PhraseCase>& cases,
                          bool n_insert = false, bool answer = false) {
  LoadedWordLists lists(PIMORU_STAGED_DATA_DIR "/kdat");
  for (const PhraseCase& c : cases) {
    SCOPED_TRACE(U8(c.input));
    EXPECT_EQ(U8(PhraseReading(c.input, lists, n_insert, answer)),
              U8(c.reading));
  }
}

TEST(Phrase, TheRulesWorkAcrossTheSpacesBetweenWords) {
  ExpectPhraseReadings({
      // A final before a word that begins with a vowel: its representative
      // sound is carried over, and the space goes with it.
      {u"밭 아래", u"바다래"},
      {u"늪 앞", u"느밥"},
      {u"닭 앞에", u"다가페"},
      {u"꽃 위", u"꼬뒤"},
      {u"할 줄 알아요", u"할 쭈라라요"},  // ㄹ as ㄹ; 할 tenses 줄
      {u"강 아래", u"강 아래"},           // ㅇ stays a final
      // Not palatalised across the boundary: 이 begins a word here.
      {u"밭 이랑", u"바디랑"},
      // Aspiration.
      {u"옷 한 벌", u"오탄벌"},  // 한 벌, one word in the lists
      {u"꽃 한 다발", u"꼬탄 다발"},
      {u"못 해요", u"모태요"},
      {u"낮 한때", u"나탄때"},
      // Nasalisation: the final changes but stays, and so does the space.
      {u"밥 먹는다", u"밤 멍는다"},
      {u"흙 말리다", u"흥 말리다"},
      {u"값 매기다", u"감 매기다"},
      // Tensification after an obstruent; a final merged into the tensed
      // initial of its own place moved across.
      {u"옷 장", u"옫 짱"},
      {u"책 가방", u"채까방"},
  });
}

TEST(Phrase, NInsertionAcrossTheSpaceIsAskedAsInsideWords) {
  const std::vector<PhraseCase> yes = {
      {u"한 일", u"한 닐"},
      {u"옷 입다", u"온 닙따"},  // then nasalised
      {u"할 일", u"할 릴"},      // then lateralised
      {u"먹은 엿", u"머근 녇"},
  };
  ExpectPhraseReadings(yes, /*n_insert=*/true, /*answer=*/true);
  // Answered No, the final is carried over.
  ExpectPhraseReadings({{u"한 일", u"하닐"}, {u"옷 입다", u"오딥따"}},
                       /*n_insert=*/true, /*answer=*/false);
  // Switched off, nothing is asked and the final is carried over.
  ExpectPhraseReadings({{u"한 일", u"하닐"}}, /*n_insert=*/false,
                       /*answer=*/true);
}

TEST(Phrase, PunctuationTabsAndOtherWordsArePauses) {
  ExpectPhraseReadings({
      {u"밭, 아래", u"받, 아래"},
      {u"밭。 아래", u"받。 아래"},
      {u"밭\t아래", u"받\t아래"},
      {u"\"밭\" 아래", u"\"받\" 아래"},
      {u"밭 (아래)", u"받 (아래)"},
      {u"밭 A 아래", u"받 A 아래"},
      // Two spaces are one once the input is formatted; the ends of the
      // line are pauses.
      {u"  밭  아래  ", u"바다래"},
      {u"밭", u"받"},
  });
}

TEST(Phrase, QuestionsAboutTheWordAreNotAskedAcrossTheSpace) {
  // The future adnominal and Sino-Korean questions of stage 20 are about
  // one word: 서울 + 사람 and 발 + 달 are two.
  LoadedWordLists lists(PIMORU_STAGED_DATA_DIR "/kdat");
  Options options;
  options.phrase_flg = true;
  ScriptedAsker asker;
  StageRecord record;
  EXPECT_EQ(RunPipeline(u"서울 사람 발 달", options, lists, asker, record),
            u"서울 사람 발 달");
  EXPECT_TRUE(asker.questions().empty());

  // A question about one word, asked inside a phrase, names that word alone.
  ScriptedAsker no({false});
  RunPipeline(u"그 결과를 보고", options, lists, no, record);
  ASSERT_EQ(no.messages().size(), 1u);
  EXPECT_EQ(
      U8(no.messages()[0]),
      U8(QuestionMessage(QuestionKind::kFutureAdnominal, u"결과를", u"결｜과를",
                         u"ㄹ", u"ㄱ", u"3文字目　그 ［결과를］ 보고")));

  // N-insertion across the space is asked with both words and names the
  // word as typed.
  options.n_insert_flg = true;
  ScriptedAsker yes({true});
  RunPipeline(u"한 일", options, lists, yes, record);
  ASSERT_EQ(yes.questions().size(), 1u);
  EXPECT_EQ(yes.questions()[0].typed_word, u"한");
  EXPECT_EQ(U8(yes.messages()[0]),
            U8(QuestionMessage(QuestionKind::kNInsertion, u"한 일", u"한｜일",
                               u"ㄴ", u"ㅇ")));
}

TEST(Phrase, TheRecordShowsEachChangeUnderItsStageWithTheWordsSpaced) {
  NoWordLists lists;
  Options options;
  options.phrase_flg = true;
  FixedAsker no(false);
  StageRecord record;
  EXPECT_EQ(RunPipeline(u"옷 한 벌", options, lists, no, record), u"오탄 벌");
  EXPECT_TRUE(record.changed[StageId::kAspiration]);
  EXPECT_EQ(record.results[StageId::kAspiration], u"오탄 벌");
  EXPECT_EQ(RunPipeline(u"밥 먹는다", options, lists, no, record),
            u"밤 멍는다");
  EXPECT_EQ(record.results[StageId::kNasalisation2], u"밤 멍는다");
  EXPECT_EQ(RunPipeline(u"밭 아래", options, lists, no, record), u"바다래");
  EXPECT_TRUE(record.changed[StageId::kLiaison1]);
  EXPECT_EQ(record.results[StageId::kLiaison1], u"바다래");
}

TEST(Phrase, OffReadsWordByWordAndATypedBoundaryIsNoBoundary) {
  NoWordLists lists;
  FixedAsker no(false);
  StageRecord record;
  EXPECT_EQ(RunPipeline(u"밭 아래 옷 한 벌", Options{}, lists, no, record),
            u"받 아래 옫 한 벌");
  // A noncharacter typed between two words is not taken for a boundary.
  Options options;
  options.phrase_flg = true;
  EXPECT_EQ(RunPipeline(u"밭\uFDD0아래", options, lists, no, record),
            u"받\uFFFD아래");
}

}  // namespace
}  // namespace pimoru
