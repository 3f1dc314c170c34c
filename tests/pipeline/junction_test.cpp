// Stages 10 to 12: N-insertion, palatalisation and aspiration.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hangul/ask.h"
#include "hangul/jamo.h"
#include "hangul/utf.h"
#include "hangul/word_list.h"
#include "pipeline/options.h"
#include "pipeline/pipeline.h"
#include "pipeline/stage_record.h"
#include "pipeline/stages.h"
#include "support/stage_cases.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

// The N-insertion question about `word` at the junction `marked` shows,
// after the final `final_letter`, word for word as the user reads it.
std::u16string NQuestion(std::u16string_view word, std::u16string_view marked,
                         std::u16string_view final_letter,
                         std::u16string_view position = u"") {
  return QuestionMessage(QuestionKind::kNInsertion, word, marked, final_letter,
                         u"ㅇ", position);
}

struct NInsertionRun {
  std::u16string output;
  bool changed;
  std::vector<std::u16string> messages;
};

NInsertionRun RunNInsertion(std::u16string_view input,
                            std::vector<bool> answers) {
  ScriptedAsker asker(std::move(answers));
  std::u16string text = DecomposeText(input);
  const bool changed =
      RunStage(ApplyNInsertion, text, StageSetup().With(asker));
  return {ComposeText(text), changed, asker.messages()};
}

TEST(NInsertion, AsksAtEachJunctionAndAppliesOnlyYes) {
  const NInsertionRun yes = RunNInsertion(u"솜이불", {true});
  EXPECT_EQ(yes.output, u"솜니불");
  EXPECT_TRUE(yes.changed);
  EXPECT_EQ(yes.messages, std::vector<std::u16string>{
                              NQuestion(u"솜이불", u"솜｜이불", u"ㅁ")});
  EXPECT_EQ(yes.messages[0],
            u"【N挿入】\n「솜이불」は合成語または2語がつながった語ですか？\n"
            u"　솜｜이불（ㅁパッチム＋ㅇ初声）\n"
            u"合成語または2語がつながった語でㅁパッチムの後ろにㅇ初声が来た場合"
            u"、N挿入します。");

  const NInsertionRun no = RunNInsertion(u"솜이불", {false});
  EXPECT_EQ(no.output, u"솜이불");
  EXPECT_FALSE(no.changed);
  EXPECT_EQ(no.messages.size(), 1u);

  // 물약 keeps ㄹ + ㄴ here; making it ㄹㄹ is a later stage's work.
  EXPECT_EQ(RunNInsertion(u"물약", {true}).output, u"물냑");
  // A cluster final is asked about under its own letter.
  const NInsertionRun cluster = RunNInsertion(u"값이", {true});
  EXPECT_EQ(cluster.output, u"값니");
  EXPECT_EQ(cluster.messages,
            std::vector<std::u16string>{NQuestion(u"값이", u"값｜이", u"ㅄ")});
}

TEST(NInsertion, NoCandidateAsksNothing) {
  for (const std::u16string_view input :
       {u"", u"abc", u"나 이거", u"책 이", u"가이", u"먹어요", u"강아지"}) {
    SCOPED_TRACE(U8(input));
    const NInsertionRun run = RunNInsertion(input, {true});
    EXPECT_EQ(run.output, input);
    EXPECT_FALSE(run.changed);
    EXPECT_TRUE(run.messages.empty());
  }
}

TEST(NInsertion, QuestionsComeByVowelThenFinalThenPosition) {
  // 담요 (ㅛ) comes after 솜이 (ㅣ) whatever their order in the text.
  const NInsertionRun two = RunNInsertion(u"담요 솜이불", {false, true});
  EXPECT_EQ(
      two.messages,
      (std::vector<std::u16string>{
          NQuestion(u"솜이불", u"솜｜이불", u"ㅁ", u"4文字目　담요 ［솜이불］"),
          NQuestion(u"담요", u"담｜요", u"ㅁ", u"1文字目　［담요］ 솜이불")}));
  EXPECT_EQ(two.output, u"담뇨 솜이불");
  EXPECT_TRUE(two.changed);

  // Within a vowel the finals go in code order (ㄱ before ㄴ), and each scan
  // sees the text as the earlier ones left it: after 식용 → 식뇽 the ㅠ
  // question is about 식용유 as typed, not 뇽유.
  const NInsertionRun all = RunNInsertion(
      u"식용유 담요 한여름 색연필 물약 솜이불", std::vector<bool>(7, true));
  EXPECT_EQ(all.messages,
            (std::vector<std::u16string>{
                NQuestion(u"솜이불", u"솜｜이불", u"ㅁ",
                          u"19文字目　… 색연필 물약 ［솜이불］"),
                NQuestion(u"물약", u"물｜약", u"ㄹ",
                          u"16文字目　…한여름 색연필 ［물약］ 솜이불"),
                NQuestion(u"색연필", u"색｜연필", u"ㄱ",
                          u"12文字目　… 담요 한여름 ［색연필］ 물약 솜이불"),
                NQuestion(u"한여름", u"한｜여름", u"ㄴ",
                          u"8文字目　식용유 담요 ［한여름］ 색연필 물약 …"),
                NQuestion(u"식용유", u"식｜용유", u"ㄱ",
                          u"1文字目　［식용유］ 담요 한여름 …"),
                NQuestion(u"담요", u"담｜요", u"ㅁ",
                          u"5文字目　식용유 ［담요］ 한여름 색연필…"),
                NQuestion(u"식용유", u"식용｜유", u"ㅇ",
                          u"1文字目　［식용유］ 담요 한여름 …")}));
  EXPECT_EQ(all.output, u"식뇽뉴 담뇨 한녀름 색년필 물냑 솜니불");
}

TEST(NInsertion, SeveralJunctionsOfOnePattern) {
  // 확인 is a candidate too (ㄱ before 이), and ㄱ is scanned before ㄹ; the
  // two ㄹ junctions of 일일이 follow left to right, each with its own answer.
  const NInsertionRun run = RunNInsertion(u"일일이 확인", {false, true, false});
  EXPECT_EQ(
      run.messages,
      (std::vector<std::u16string>{
          NQuestion(u"확인", u"확｜인", u"ㄱ", u"5文字目　일일이 ［확인］"),
          NQuestion(u"일일이", u"일｜일이", u"ㄹ", u"1文字目　［일일이］ 확인"),
          NQuestion(u"일일이", u"일일｜이", u"ㄹ",
                    u"1文字目　［일일이］ 확인")}));
  EXPECT_EQ(run.output, u"일닐이 확인");
  EXPECT_TRUE(run.changed);

  const NInsertionRun second_only =
      RunNInsertion(u"일일이 확인", {false, false, true});
  EXPECT_EQ(second_only.output, u"일일니 확인");
}

TEST(Palatalisation, Table) {
  ExpectJamoStage(ApplyPalatalisation,
                  {
                      {u"굳이", u"구지", true},      // ㄷ + 이 → 지
                      {u"해돋이", u"해도지", true},  // ㄷ + 이 → 지
                      {u"같이", u"가치", true},      // ㅌ + 이 → 치
                      {u"밭이", u"바치", true},      // ㅌ + 이 → 치
                      {u"닫히다", u"다치다", true},  // ㄷ + 히 → 치
                      {u"굳이 같이 걷히다", u"구지 가치 거치다", true},
                      // Other vowels, other finals, a space: nothing to do.
                      {u"굳어", u"굳어", false},
                      {u"같아", u"같아", false},
                      {u"밭 이", u"밭 이", false},
                      {u"맏형", u"맏형", false},
                      {u"옷이", u"옷이", false},
                      {u"", u"", false},
                  });
}

TEST(Aspiration, Table) {
  ExpectJamoStage(
      ApplyAspiration,
      {
          // ㅎ, ㄶ, ㅀ before ㄱ, ㄷ, ㅈ.
          {u"좋고", u"조코", true},
          {u"놓다", u"노타", true},
          {u"좋지", u"조치", true},
          {u"많다", u"만타", true},
          {u"않고", u"안코", true},
          {u"싫지", u"실치", true},
          {u"옳고", u"올코", true},
          // A final before ㅎ goes whole, clusters included.
          {u"축하", u"추카", true},
          {u"입학", u"이팍", true},
          {u"값하다", u"가파다", true},
          {u"밝히다", u"바키다", true},
          {u"넓히다", u"너피다", true},
          {u"못하다", u"모타다", true},
          {u"맏형", u"마텽", true},
          {u"꽃하고", u"꼬타고", true},
          {u"부엌하고", u"부어카고", true},
          {u"앞하고", u"아파고", true},
          // Without the ㅎ, across a space, or before a vowel: nothing.
          {u"좋 고", u"좋 고", false},
          {u"축 하", u"축 하", false},
          {u"좋아", u"좋아", false},
          {u"안하다", u"안하다", false},
          {u"하하", u"하하", false},
          {u"abc", u"abc", false},
      });
}

// The N-insertion questions among all that a conversion asked.
std::vector<std::u16string> NQuestionsAsked(const ScriptedAsker& asker) {
  std::vector<std::u16string> asked;
  for (const std::u16string& message : asker.messages()) {
    if (message.starts_with(u"【N挿入】\n")) asked.push_back(message);
  }
  return asked;
}

// Stages 10 to 12 as the pipeline runs them, read from the stage record.
TEST(JunctionStagesInPipeline, OrderOfTheStages) {
  NoWordLists lists;
  StageRecord record;

  // Palatalisation comes first, so aspiration never sees ㄷ + ㅎ.
  ScriptedAsker asker;
  RunPipeline(u"닫히다", Options{}, lists, asker, record);
  EXPECT_EQ(record.results[StageId::kPalatalisation], u"다치다");
  EXPECT_FALSE(record.changed[StageId::kAspiration]);
  EXPECT_TRUE(record.results[StageId::kAspiration].empty());

  // With the option off, stage 10 asks nothing.
  RunPipeline(u"솜이불", Options{}, lists, asker, record);
  EXPECT_TRUE(NQuestionsAsked(asker).empty());
  EXPECT_FALSE(record.changed[StageId::kNInsertion]);

  // With it on, 같이 is asked about first; No leaves it to palatalisation.
  Options n_insert;
  n_insert.n_insert_flg = true;
  ScriptedAsker no({false});
  RunPipeline(u"같이", n_insert, lists, no, record);
  EXPECT_EQ(NQuestionsAsked(no),
            std::vector<std::u16string>{NQuestion(u"같이", u"같｜이", u"ㅌ")});
  EXPECT_FALSE(record.changed[StageId::kNInsertion]);
  EXPECT_EQ(record.results[StageId::kPalatalisation], u"가치");

  ScriptedAsker yes({true});
  RunPipeline(u"솜이불", n_insert, lists, yes, record);
  EXPECT_TRUE(record.changed[StageId::kNInsertion]);
  EXPECT_EQ(record.results[StageId::kNInsertion], u"솜니불");
}

// Decides the N-insertion junctions of the words it knows without asking
// anyone, as a dictionary does, and would answer every other question No.
class DecidingAsker : public Asker {
 public:
  explicit DecidingAsker(std::vector<std::u16string> compounds)
      : compounds_(std::move(compounds)) {}
  Answer Respond(const Question& question, const Judgement&) override {
    ++asked;
    return Decide(question).value_or(Answer{false, Answerer::kPolicy, u""});
  }
  std::optional<Answer> Decide(const Question& question) override {
    const std::u16string word = question.CurrentWord();
    for (const std::u16string& compound : compounds_) {
      if (word.starts_with(compound)) {
        return Answer{true, Answerer::kDictionary, compound + u"（合成語）"};
      }
    }
    return std::nullopt;
  }
  bool Decides() const override { return true; }
  int asked = 0;

 private:
  std::vector<std::u16string> compounds_;
};

// With the option off, a junction an answerer decides still takes the ㄴ,
// kept under stage 10 with who decided it, and nobody is asked; an
// answerer that decides nothing leaves the stage as if it had not run.
// Before 얘 and 예 only a decided junction takes it, the option on or off.
TEST(NInsertion, DecidedJunctionsTakeTheNieunWithTheOptionOff) {
  NoWordLists lists;
  StageRecord record;
  struct Case {
    std::u16string_view input;
    bool n_insert;
    std::u16string_view reading;
  } const cases[] = {
      {u"꽃잎이 솜이 뒷얘기", false, u"꼰니피 소미 뒨냬기"},
      {u"꽃잎이 솜이 뒷얘기", true, u"꼰니피 소미 뒨냬기"},
      {u"문예 꽃잎", false, u"무네 꼰닙"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.input));
    Options options;
    options.n_insert_flg = c.n_insert;
    DecidingAsker asker({u"꽃잎", u"뒷얘기"});
    EXPECT_EQ(RunPipeline(c.input, options, lists, asker, record), c.reading);
    EXPECT_TRUE(record.changed[StageId::kNInsertion]);
    const std::vector<RecordedQuestion>& kept =
        record.questions[StageId::kNInsertion];
    const auto decided =
        std::find_if(kept.begin(), kept.end(), [](const RecordedQuestion& q) {
          return q.answer.by == Answerer::kDictionary;
        });
    ASSERT_NE(decided, kept.end());
    EXPECT_EQ(decided->answer.reason, u"꽃잎（合成語）");
    if (!c.n_insert) {
      EXPECT_EQ(asker.asked, 0);
      // Only what changed is kept: 솜이 was passed over unasked.
      EXPECT_EQ(kept.size(), c.input.starts_with(u"꽃") ? 2u : 1u);
    }
  }
  // Without a deciding answerer, nothing changes with the option off, and
  // 뒷얘기 is not asked about with it on.
  ScriptedAsker yes({true, true, true, true});
  Options off;
  EXPECT_EQ(RunPipeline(u"꽃잎이 뒷얘기", off, lists, yes, record),
            u"꼬치피 뒤섀기");
  EXPECT_FALSE(record.changed[StageId::kNInsertion]);
  EXPECT_TRUE(NQuestionsAsked(yes).empty());
  Options on;
  on.n_insert_flg = true;
  ScriptedAsker all_yes({true, true, true, true});
  EXPECT_EQ(RunPipeline(u"꽃잎 뒷얘기", on, lists, all_yes, record),
            u"꼰닙 뒤섀기");
  EXPECT_EQ(NQuestionsAsked(all_yes).size(), 1u);
}

}  // namespace
}  // namespace pimoru
