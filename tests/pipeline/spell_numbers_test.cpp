// The stage that spells out numbers: its question, the questions of the
// later stages about the words as typed, and what it keeps in the record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hangul/question.h"
#include "hangul/word_list.h"
#include "pipeline/options.h"
#include "pipeline/pipeline.h"
#include "pipeline/stage_record.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

Options WithNumbers() {
  Options options;
  options.read_numbers_flg = true;
  return options;
}

// Answers from a script and keeps what each question came with.
class GuessRecorder : public Asker {
 public:
  struct Seen {
    QuestionKind kind;
    std::u16string message;
    bool guess;
    std::u16string reason;
  };
  explicit GuessRecorder(std::vector<bool> answers) : answers_(answers) {}
  Answer Respond(const Question& question, const Judgement& guess) override {
    seen_.push_back(
        {question.kind(), question.Message(), guess.guess, guess.reason});
    const bool yes =
        seen_.size() <= answers_.size() && answers_[seen_.size() - 1];
    return {yes, Answerer::kUser, guess.reason};
  }
  const std::vector<Seen>& seen() const { return seen_; }

 private:
  std::vector<bool> answers_;
  std::vector<Seen> seen_;
};

TEST(SpellOutNumbers, AsksAboutEachCounterOfEitherSystemWithItsGuess) {
  NoWordLists lists;
  GuessRecorder asker({true, false, false});
  StageRecord record;
  RunPipeline(u"3번 출구에서 2번 불렀어요. 20대 100번", WithNumbers(), lists,
              asker, record);
  // Asked first, before the sound changes, and then 출구 at ㄹ+ㄱ; 100번
  // can only be 백 번.
  ASSERT_EQ(asker.seen().size(), 4u);
  const struct {
    std::u16string_view message_start;
    bool guess;
    std::u16string_view reason;
  } expected[] = {
      {u"【数字の読み】\n「3번」（세 번／삼 "
       u"번）は、回数や個数を数える固有語の数詞",
       false, u"3번 출구＝番号・年代（漢数詞）"},
      {u"【数字の読み】\n「2번」（두 번／이 번）は", true,
       u"2번＝回数・個数（固有語の数詞）"},
      {u"【数字の読み】\n「20대」（스무 대／이십 대）は", false,
       u"20대＝番号・年代（漢数詞）"},
  };
  for (std::size_t k = 0; k < std::size(expected); ++k) {
    SCOPED_TRACE(k);
    const GuessRecorder::Seen& seen = asker.seen()[k];
    EXPECT_EQ(seen.kind, QuestionKind::kNativeNumeral);
    EXPECT_TRUE(seen.message.starts_with(expected[k].message_start))
        << U8(seen.message);
    EXPECT_EQ(seen.guess, expected[k].guess);
    EXPECT_EQ(U8(seen.reason), U8(expected[k].reason));
  }
  // Yes takes the native numerals, No the Sino-Korean ones, whatever the
  // guess.
  EXPECT_EQ(U8(record.results[StageId::kNumberReading]),
            "세 번 출구에서 이 번 불렀어요. 이십 대 백 번");
  EXPECT_NE(asker.seen()[3].kind, QuestionKind::kNativeNumeral);
  const std::vector<RecordedQuestion>& asked =
      record.questions[StageId::kNumberReading];
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(U8(asked[0].word), "3번");
  EXPECT_TRUE(asked[0].answer.yes);
  EXPECT_EQ(U8(asked[1].word), "2번");
  EXPECT_FALSE(asked[1].answer.yes);
  EXPECT_EQ(U8(asked[1].answer.reason), "2번＝回数・個数（固有語の数詞）");
}

// Spelling adds syllables; a question of a later stage still names the word
// as it was typed, wherever the numbers stand around it.
TEST(SpellOutNumbers, LaterQuestionsNameTheWordAsTyped) {
  LoadedWordLists lists(PIMORU_STAGED_DATA_DIR "/kdat");
  const struct {
    std::u16string_view typed;
    std::u16string_view word;
  } cases[] = {
      {u"3번 목록을 3번 봤어요", u"목록을"},
      {u"KTX 목록 2024년 3월", u"목록"},
      {u"제1장 목록 100명", u"목록"},
      {u"  10%의  목록에 ３시", u"목록에"},  // formatted first
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(U8(c.typed));
    for (const bool phrase : {false, true}) {
      Options options = WithNumbers();
      options.phrase_flg = phrase;
      ScriptedAsker asker;
      StageRecord record;
      RunPipeline(c.typed, options, lists, asker, record);
      std::vector<std::u16string> named;
      for (const AskedQuestion& q : asker.questions()) {
        if (q.kind == QuestionKind::kSinoKoreanNasalisation) {
          named.push_back(q.typed_word);
        }
      }
      EXPECT_EQ(named, std::vector<std::u16string>{std::u16string(c.word)});
    }
  }
}

TEST(SpellOutNumbers, RunsOnlyWithItsOptionAndKeepsItsNotesWithTheTexts) {
  NoWordLists lists;
  FixedAsker no(false);
  const std::u16string_view line = u"KTX 3D hello 10%";
  StageRecord record;
  EXPECT_EQ(U8(RunPipeline(line, Options{}, lists, no, record)), U8(line));
  EXPECT_FALSE(record.changed[StageId::kNumberReading]);
  EXPECT_TRUE(record.number_notes.empty());

  EXPECT_EQ(U8(RunPipeline(line, WithNumbers(), lists, no, record)),
            "케이티엑쓰 3D hello 십 퍼센트");
  EXPECT_TRUE(record.changed[StageId::kNumberReading]);
  std::vector<NumberNoteKind> kinds;
  for (const NumberNote& note : record.number_notes) kinds.push_back(note.kind);
  EXPECT_EQ(kinds,
            (std::vector<NumberNoteKind>{
                NumberNoteKind::kLetters, NumberNoteKind::kMixedScript,
                NumberNoteKind::kLatinWord, NumberNoteKind::kSinoKorean}));

  // A batch that shows no texts keeps no notes either, and reads the same.
  StageRecord flags_only;
  EXPECT_EQ(U8(RunPipeline(line, WithNumbers(), lists, no, flags_only,
                           RecordTexts::kFlagsOnly)),
            "케이티엑쓰 3D hello 십 퍼센트");
  EXPECT_TRUE(flags_only.changed[StageId::kNumberReading]);
  EXPECT_TRUE(flags_only.number_notes.empty());

  // Nothing read, only left: no change, but the notes say what was left.
  RunPipeline(u"hello 3D", WithNumbers(), lists, no, record);
  EXPECT_FALSE(record.changed[StageId::kNumberReading]);
  EXPECT_EQ(record.number_notes.size(), 2u);
}

}  // namespace
}  // namespace pimoru
