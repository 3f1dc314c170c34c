#include "hangul/ask.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "hangul/jamo.h"
#include "hangul/word_knowledge.h"
#include "pipeline/pipeline.h"
#include "pipeline/stages.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

constexpr std::u16string_view kTitle = u"【濃音化】";
constexpr std::u16string_view kQuestion = u"は動詞や形容詞の未来連体形ですか？";
constexpr QuestionKind kFuture = QuestionKind::kFutureAdnominal;
constexpr QuestionKind kCompound = QuestionKind::kNInsertion;
constexpr QuestionKind kSino = QuestionKind::kSinoKoreanTensification;

// The walks on a text of their own, answered by `asker`.
bool AskEach(std::u16string& text, std::u16string_view pattern,
             std::u16string_view replacement, Asker& asker,
             QuestionKind kind = kFuture) {
  JamoText jamo(text);
  Asking asking{asker};
  const bool any_yes =
      AskEachOccurrence(jamo, pattern, replacement, kind, asking);
  text = jamo.str();
  return any_yes;
}
bool AskJunction(std::u16string& text, std::u16string_view pattern,
                 std::u16string_view replacement, Asker& asker,
                 QuestionKind kind = kCompound) {
  JamoText jamo(text);
  Asking asking{asker};
  const bool any_yes = AskAtJunction(jamo, pattern, replacement, kind, asking);
  text = jamo.str();
  return any_yes;
}

TEST(AskEachOccurrence, AsksPerOccurrenceInTextOrder) {
  // final ㄹ + initial ㄱ, twice: Yes to the first, No to the second.
  std::u16string text = DecomposeText(u"할게 갈게");
  const std::u16string pattern = {fin::kRieul, ini::kGiyeok};
  const std::u16string replacement = {fin::kRieul, ini::kSsangGiyeok};
  ScriptedAsker asker({true, false});
  EXPECT_TRUE(AskEach(text, pattern, replacement, asker));
  EXPECT_EQ(ComposeText(text), u"할께 갈게");
  ASSERT_EQ(asker.messages().size(), 2u);
  // Without the input as typed, the working text's word and syllables.
  EXPECT_EQ(asker.messages()[0],
            u"【濃音化】\n「할게」は動詞や形容詞の未来連体形ですか？\n"
            u"　할｜게（ㄹパッチム＋ㄱ初声）");
  EXPECT_EQ(asker.messages()[1],
            u"【濃音化】\n「갈게」は動詞や形容詞の未来連体形ですか？\n"
            u"　갈｜게（ㄹパッチム＋ㄱ初声）");
}

TEST(AskEachOccurrence, NoEverywhereOrNoMatchLeavesTheText) {
  const std::u16string original = DecomposeText(u"할게 갈게");
  const std::u16string pattern = {fin::kRieul, ini::kGiyeok};
  std::u16string text = original;
  ScriptedAsker no({false, false});
  EXPECT_FALSE(AskEach(text, pattern, u"x", no));
  EXPECT_EQ(text, original);
  EXPECT_EQ(no.messages().size(), 2u);

  ScriptedAsker none;
  EXPECT_FALSE(AskEach(text, u"zz", u"x", none));
  EXPECT_EQ(text, original);
  EXPECT_TRUE(none.messages().empty());
}

TEST(AskEachOccurrence, RefusedOccurrenceLetsAnOverlappingOneBeAsked) {
  std::u16string text = u"aaa";
  ScriptedAsker asker({false, true});
  EXPECT_TRUE(AskEach(text, u"aa", u"X", asker));
  EXPECT_EQ(text, u"aX");
  EXPECT_EQ(asker.messages().size(), 2u);
}

TEST(AskEachOccurrence, PatternStartingWithASpaceShowsTheNextWord) {
  std::u16string text = DecomposeText(u"할 수");
  const std::u16string pattern = {u' ', ini::kSiot};
  ScriptedAsker asker({false});
  AskEach(text, pattern, u"x", asker);
  ASSERT_EQ(asker.messages().size(), 1u);
  EXPECT_EQ(asker.messages()[0],
            u"【濃音化】\n「수」は動詞や形容詞の未来連体形ですか？");
}

TEST(AskAtJunction, MessageNamesThePairAndTheLetters) {
  std::u16string text = DecomposeText(u"솜이불");
  const std::u16string pattern = {fin::kMieum, ini::kIeung, med::kI};
  const std::u16string replacement = {fin::kMieum, ini::kNieun, med::kI};
  ScriptedAsker asker({true});
  EXPECT_TRUE(AskJunction(text, pattern, replacement, asker));
  EXPECT_EQ(ComposeText(text), u"솜니불");
  ASSERT_EQ(asker.messages().size(), 1u);
  EXPECT_EQ(
      asker.messages()[0],
      u"【N挿入】\n「솜이불」は合成語または2語がつながった語ですか？\n"
      u"　솜｜이（ㅁパッチム＋ㅇ初声）\n"
      u"合成語または2語がつながった語でㅁパッチムの後ろにㅇ初声が来た場合、"
      u"N挿入します。");

  std::u16string sino = DecomposeText(u"발달");
  const std::u16string pair = {fin::kRieul, ini::kDigeut};
  ScriptedAsker no({false});
  EXPECT_FALSE(AskJunction(sino, pair, u"x", no, kSino));
  EXPECT_EQ(ComposeText(sino), u"발달");
  ASSERT_EQ(no.messages().size(), 1u);
  EXPECT_EQ(no.messages()[0],
            u"【濃音化】\n「발달」は漢字語ですか？\n"
            u"　발｜달（ㄹパッチム＋ㄷ初声）\n"
            u"漢字語でㄹパッチムの後ろにㄷ初声が来た場合、濃音化します。");
}

TEST(AskAtJunction, BackToBackJunctionsAreBothHandled) {
  // ᆯ이 twice in a row: 일일이 has final ㄹ + 이 at two junctions.
  std::u16string text = DecomposeText(u"일일이 확인");
  const std::u16string pattern = {fin::kRieul, ini::kIeung, med::kI};
  const std::u16string replacement = {fin::kRieul, ini::kNieun, med::kI};
  ScriptedAsker asker({true, false});
  EXPECT_TRUE(AskJunction(text, pattern, replacement, asker));
  EXPECT_EQ(ComposeText(text), u"일닐이 확인");
  EXPECT_EQ(asker.messages().size(), 2u);

  std::u16string both = DecomposeText(u"일일이 확인");
  ScriptedAsker yes({true, true});
  EXPECT_TRUE(AskJunction(both, pattern, replacement, yes));
  EXPECT_EQ(ComposeText(both), u"일닐니 확인");
}

// The message of every occurrence shows the word around it, at a space the
// word after it, in long words and short.
TEST(AskEachOccurrence, EveryMessageShowsTheWordAroundItsOccurrence) {
  std::mt19937 random(5);
  std::vector<std::u16string> texts;
  for (int i = 0; i < 300; ++i) {
    std::u16string text;
    for (int n = random() % 16; n > 0; --n) text += u"ab  가"[random() % 5];
    texts.push_back(DecomposeText(text));
  }
  std::u16string long_word;
  for (int i = 0; i < 2000; ++i) long_word += u"ab";
  texts.push_back(u"x " + long_word + u" y" + long_word);
  for (const std::u16string& input : texts) {
    for (const std::u16string_view pattern :
         {u"a", u"ab", u" a", u"b ", u" "}) {
      SCOPED_TRACE(U8(input.substr(0, 40)) + " / " + U8(pattern));
      std::vector<std::u16string> expected;
      for (std::size_t at = input.find(pattern); at != std::u16string::npos;
           at = input.find(pattern, at + 1)) {
        expected.push_back(std::u16string(kTitle) + u"\n「" +
                           ComposeText(WordAt(input, at)) + u"」" +
                           std::u16string(kQuestion));
      }
      std::u16string text = input;
      ScriptedAsker no;  // every occurrence is asked, overlapping ones too
      EXPECT_FALSE(AskEach(text, pattern, u"z", no));
      EXPECT_EQ(text, input);
      EXPECT_TRUE(no.messages() == expected);  // not printed: may be long
    }
  }
}

TEST(AskEachRule, AsksAboutAJunctionThatAnEarlierYesFormed) {
  // 국어: Yes to the first rule forms the second rule's junction ㄱ + ㄴ.
  constexpr Rule kChain[] = {
      {{fin::kGiyeok, ini::kIeung}, {fin::kGiyeok, ini::kNieun}},
      {{fin::kGiyeok, ini::kNieun}, {fin::kIeung, ini::kNieun}},
      {{fin::kMieum, ini::kNieun}, {fin::kNieun, ini::kNieun}},
  };
  const RuleTable table(kChain);
  for (const QuestionKind kind : {kFuture, kSino}) {
    for (const bool first : {true, false}) {
      SCOPED_TRACE(first ? "Yes" : "No");
      JamoText text(DecomposeText(u"국어"));
      ScriptedAsker asker({first, true});
      Asking asking{asker};
      EXPECT_EQ(AskEachRule(text, table, kind, asking), first);
      EXPECT_EQ(ComposeText(text.view()), first ? u"궁너" : u"국어");
      ASSERT_EQ(asker.questions().size(), first ? 2u : 1u);
      EXPECT_EQ(asker.questions()[0].kind, kind);
    }
  }
}

// An answer kept for a word serves the same junction in its other forms,
// as far as the syllable after the junction, and no further.
TEST(AskOne, AKeptAnswerServesTheFormsOfTheSameWord) {
  Options options;
  options.n_insert_flg = true;
  NoWordLists lists;
  const struct {
    std::u16string_view input;
    std::vector<std::u16string_view> asked;
    int places;  // answered, asked or not
  } cases[] = {
      {u"솜이불 솜이불을 솜이불", {u"솜｜이불"}, 3},
      {u"확인요청은 확인요청을 확인요청도",
       {u"확｜인요청은", u"확인｜요청은"},
       6},
      // Not the same after the junction: a particle and a longer word, or
      // two endings of a place name.
      {u"책이 책이름", {u"책｜이", u"책｜이름"}, 2},
      {u"서울역에서 서울역까지", {u"서울｜역에서", u"서울｜역까지"}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(U8(c.input));
    ScriptedAsker asker({true, true, true, true});
    asker.KeepAnswers();
    StageRecord record;
    RunPipeline(c.input, options, lists, asker, record);
    EXPECT_EQ(asker.questions().size(), c.asked.size());
    // Listed once each, with the places they answered.
    std::vector<std::u16string> listed;
    int places = 0;
    for (const RecordedQuestion& q : record.questions[StageId::kNInsertion]) {
      listed.push_back(q.marked);
      places += q.places;
    }
    EXPECT_EQ(listed,
              std::vector<std::u16string>(c.asked.begin(), c.asked.end()));
    EXPECT_EQ(places, c.places);
  }
}

TEST(TypedInput, FindsTheSyllableAndWordAsTyped) {
  // The working text after liaison: 읽을 책을 → 일글 채글, the same
  // syllables in number, without the spaces the input had at its ends.
  const std::u16string input = u"  읽을 책을,";
  const std::u16string jamo = DecomposeText(u"일글 채글");
  TypedInput typed(input);
  struct Case {
    std::size_t at;      // a place in the working jamo
    std::size_t offset;  // the syllable's offset in the input
  } const cases[] = {
      {0, 2},  {2, 2},  // the initial and the final of 일: 읽
      {4, 3},           // the vowel of 글: 을
      {6, 5},           // the space before 채: the next syllable, 책
      {11, 6},          // the final of the last 글: 을
      {0, 2},           // back to the start after a later place
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.at);
    EXPECT_EQ(typed.SyllableOffset(jamo, c.at), c.offset);
  }
  EXPECT_EQ(typed.SyllableOffset(jamo, jamo.size()), std::u16string_view::npos);
  EXPECT_EQ(typed.WordAround(6), (TypedSpan{5, 2}));  // 책을, not the comma
  EXPECT_EQ(typed.WordAround(0), (TypedSpan{0, 0}));  // a space
}

// A run of Hangul typed without spaces is read, around each place asked
// about, only as far as a word reaches, so that a question costs the same
// however long the run; a word up to kWordReach + 1 letters is whole.
TEST(TypedInput, AWordReachesAtMostSoFarToEitherSide) {
  constexpr std::size_t kReach = kWordReach;
  const std::u16string short_run(kReach + 1, u'가');
  const std::u16string long_run(10 * kReach, u'가');
  struct Case {
    const char* name;
    std::u16string input;
    std::size_t offset;
    TypedSpan span;
  } const cases[] = {
      {"whole, from its start", short_run + u" 나", 0, {0, kReach + 1}},
      {"whole, from its end", u"나 " + short_run, kReach + 2, {2, kReach + 1}},
      {"cut at both sides", long_run, 5 * kReach, {4 * kReach, 2 * kReach + 1}},
      {"cut after, at the run's start", long_run, 3, {0, kReach + 4}},
      {"cut before, at the run's end",
       long_run + u".",
       10 * kReach - 1,
       {9 * kReach - 1, kReach + 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TypedInput(c.input).WordAround(c.offset), c.span);
  }
}

TEST(TypedInput, SyllablesAddedOrDroppedByAListMapTheRestFromBothEnds) {
  // A list turned 다 into 바사: one syllable more. Those before and after
  // map as typed; the new ones map to the first syllable that differs.
  const std::u16string input = u"가나 다라마";
  const std::u16string jamo = DecomposeText(u"가나 바사라마");
  TypedInput typed(input);
  EXPECT_EQ(typed.SyllableOffset(jamo, 0), 0u);                // 가
  EXPECT_EQ(typed.SyllableOffset(jamo, 2), 1u);                // 나
  EXPECT_EQ(typed.SyllableOffset(jamo, 5), 3u);                // 바: 다
  EXPECT_EQ(typed.SyllableOffset(jamo, 7), 3u);                // 사: 다
  EXPECT_EQ(typed.SyllableOffset(jamo, jamo.size() - 1), 5u);  // 마
  EXPECT_EQ(typed.SyllableOffset(jamo, jamo.size() - 3), 4u);  // 라
}

TEST(Question, IsDataAndComposesItsMessageOnDemand) {
  const std::u16string input = u"결과를 입력하면";
  // Nasalisation 2 asks at 입 + 력 as the text then stands.
  const std::u16string jamo = DecomposeText(u"결과를 입력하면");
  const std::size_t at = jamo.find(fin::kBieup);
  const std::u16string pattern = {fin::kBieup, ini::kRieul};
  TypedInput typed(input);
  const Question question(QuestionKind::kSinoKoreanNasalisation, jamo, at,
                          pattern, &typed);
  EXPECT_EQ(question.kind(), QuestionKind::kSinoKoreanNasalisation);
  EXPECT_EQ(question.JunctionPair(), u"입력");
  EXPECT_EQ(question.TypedWord(), (TypedSpan{4, 4}));  // 입력하면
  EXPECT_EQ(question.TypedSyllable(0), 4u);            // 입
  EXPECT_EQ(question.TypedSyllable(1), 5u);            // 력
  EXPECT_EQ(U8(question.Message()),
            U8(u"【鼻音化】\n「입력하면」は漢字語ですか？\n"
               u"　입｜력하면（ㅂパッチム＋ㄹ初声）\n"
               u"漢字語でㅂパッチムの後ろにㄹ初声が来た場合、鼻音化します。\n"
               u"位置：5文字目　결과를 ［입력하면］"));
  // Without the input as typed, a question still shows its message.
  const Question bare(QuestionKind::kFutureAdnominal, jamo, at, pattern,
                      nullptr);
  EXPECT_EQ(bare.TypedWord(), TypedSpan{});
  EXPECT_EQ(U8(bare.Message()),
            U8(u"【濃音化】\n「입력하면」" + std::u16string(kQuestion) +
               u"\n　입｜력（ㅂパッチム＋ㄹ初声）"));
}

TEST(Question, ShowsTheTypedPlaceAndTheHanjaTheDictionaryNames) {
  // 입력하면 after aspiration stands as 입려카면: the question is about 입력.
  const std::u16string input = u"입력하면";
  const std::u16string jamo = DecomposeText(u"입려카면");
  const std::size_t at = jamo.find(fin::kBieup);
  const std::u16string pattern = {fin::kBieup, ini::kRieul};
  TypedInput typed(input);
  const Question question(QuestionKind::kSinoKoreanNasalisation, jamo, at,
                          pattern, &typed);
  EXPECT_EQ(question.JunctionPair(), u"입려");
  EXPECT_EQ(question.TypedPlace(), u"입력");
  Judgement judgement;
  judgement.word = u"입력";
  judgement.hanja = u"入力";
  judgement.guess = true;
  judgement.reason = u"입력＝入力？";
  const std::u16string plain =
      u"は漢字語ですか？\n　입｜력하면（ㅂパッチム＋ㄹ初声）\n"
      u"漢字語でㅂパッチムの後ろにㄹ初声が来た場合、鼻音化します。";
  // The word as typed, with the word the hanja spell and the guess.
  EXPECT_EQ(U8(question.Message(judgement)),
            U8(u"【鼻音化】\n「입력하면」（입력＝入力）" + plain +
               u"\n辞書の推測：はい（입력＝入力？）"));
  EXPECT_EQ(U8(question.Message()), U8(u"【鼻音化】\n「입력하면」" + plain));
  const RecordedQuestion kept =
      question.Record({true, Answerer::kUser, u"入力"});
  EXPECT_EQ(kept.kind, QuestionKind::kSinoKoreanNasalisation);
  EXPECT_EQ(kept.word, u"입력하면");
  EXPECT_EQ(kept.pair, u"입력");
  EXPECT_TRUE(kept.answer.yes);
}

// Decides the questions about 목록 and leaves the others undecided with a
// guess, as a dictionary does.
class FakeKnowledge : public WordKnowledge {
 public:
  Judgement Judge(const Question& question) const override {
    Judgement j;
    if (question.TypedPlace() == u"목록") {
      j.verdict = Verdict::kYes;
      j.reason = u"목록＝目錄（漢字語）";
    } else {
      j.guess = true;
      j.reason = u"guess";
    }
    return j;
  }
};

// Records the guess it is told and answers No.
class GuessRecorder : public Asker {
 public:
  Answer Respond(const Question&, const Judgement& guess) override {
    guesses.push_back(guess.reason);
    return {false, Answerer::kUser, guess.reason};
  }
  std::vector<std::u16string> guesses;
};

TEST(KnowingAsker,
     DecidesWhatTheDictionaryKnowsAndPassesOnTheRestWithItsGuess) {
  const FakeKnowledge knowledge;
  GuessRecorder user;
  KnowingAsker asker(knowledge, user);
  NoWordLists lists;
  StageRecord record;
  // 목록 is decided; 경로 is passed on; the walk keeps both in the record.
  EXPECT_EQ(RunPipeline(u"목록 경로", Options{}, lists, asker, record),
            u"몽녹 경로");
  EXPECT_EQ(user.guesses, std::vector<std::u16string>{u"guess"});
  // Asked in table order: ㅇ + ㄹ before ㄱ + ㄹ.
  const std::vector<RecordedQuestion>& asked =
      record.questions[StageId::kNasalisation2];
  ASSERT_EQ(asked.size(), 2u);
  const RecordedQuestion& passed_on = asked[0];
  const RecordedQuestion& decided = asked[1];
  EXPECT_EQ(passed_on.pair, u"경로");
  EXPECT_EQ(passed_on.answer.by, Answerer::kUser);
  EXPECT_EQ(passed_on.answer.reason, u"guess");
  EXPECT_EQ(decided.kind, QuestionKind::kSinoKoreanNasalisation);
  EXPECT_EQ(decided.pair, u"목록");
  EXPECT_EQ(decided.answer.by, Answerer::kDictionary);
  EXPECT_TRUE(decided.answer.yes);
  // A record that keeps only the flags keeps no questions, and the
  // answers are the same.
  EXPECT_EQ(RunPipeline(u"목록 경로", Options{}, lists, asker, record,
                        RecordTexts::kFlagsOnly),
            u"몽녹 경로");
  EXPECT_TRUE(record.questions[StageId::kNasalisation2].empty());
}

}  // namespace
}  // namespace pimoru
