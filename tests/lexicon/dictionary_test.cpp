#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hangul/jamo.h"
#include "hangul/utf.h"
#include "hangul/word_knowledge.h"
#include "lexicon/lexicon_support.h"
#include "lexicon/system_dictionary.h"
#include "pipeline/pipeline.h"
#include "render/conversion.h"

namespace pimoru {
namespace {

using K = QuestionKind;
using V = Verdict;

struct Case {
  K kind;
  std::u16string_view word;
  std::size_t at;
  std::u16string_view next_word;
  V verdict;
  bool guess;  // the answer offered to the user: with a verdict, whether Yes
  std::u16string_view reason;  // empty: not compared
};

// Words with the decision, the guess and the reason the dictionary gives
// for them.
TEST(Dictionary, JudgesWordsAsTheirReadingsAndHanjaSay) {
  PIMORU_NEED_DICTIONARY();
  const Case cases[] = {
      // Sino-Korean junctions: a hanja word over the junction, a word and
      // a one-syllable suffix, a stem with a particle or an ending, a
      // loanword, a native verb whose form looks like a rare hanja word.
      {K::kSinoKoreanNasalisation, u"목록을", 0, u"", V::kYes, true,
       u"목록＝目錄（漢字語）"},
      {K::kSinoKoreanNasalisation, u"입력하면", 0, u"", V::kYes, true,
       u"입력＝入力（漢字語）"},
      {K::kSinoKoreanNasalisation, u"대통령", 1, u"", V::kYes, true,
       u"대통령＝大統領（漢字語）"},
      {K::kSinoKoreanTensification, u"식별자", 1, u"", V::kYes, true,
       u"식별자＝識別＋자（漢字語＋接尾辞）"},
      {K::kSinoKoreanTensification, u"발달", 0, u"", V::kYes, true,
       u"발달＝發達（漢字語）"},
      {K::kSinoKoreanTensification, u"물도", 0, u"", V::kNo, false,
       u"물도＝물＋도（助詞）"},
      {K::kSinoKoreanTensification, u"동결되면", 1, u"", V::kNo, false, u""},
      {K::kSinoKoreanTensification, u"폴더", 0, u"", V::kNo, false,
       u"폴더＝漢字語の辞書になし"},
      {K::kSinoKoreanNasalisation, u"업로드", 0, u"", V::kNo, false,
       u"업로드＝漢字語の辞書になし"},
      {K::kSinoKoreanTensification, u"만들지", 1, u"", V::kNo, false, u""},
      {K::kSinoKoreanTensification, u"팔자", 0, u"", V::kUnknown, true,
       u"팔자＝八字（漢字語）／팔다＋語尾"},
      // A hanja said twice keeps its consonant plain, but is nasalised as
      // any other (력력하다 as the North spells it).
      {K::kSinoKoreanTensification, u"허허실실", 2, u"", V::kNo, false,
       u"허허실실＝同じ漢字の重なり"},
      {K::kSinoKoreanNasalisation, u"력력하다", 0, u"", V::kYes, true,
       u"력력＝歷歷（漢字語）"},
      // A Sino-Korean word before another word: ㄹ is likely nasalised
      // across, and likely not tensed.
      {K::kSinoKoreanNasalisation, u"복습량이", 1, u"", V::kUnknown, true,
       u"복습＝復習（漢字語）と別の語の境目"},
      {K::kSinoKoreanTensification, u"출발시각", 1, u"", V::kUnknown, false,
       u"출발＝出發（漢字語）と別の語の境目"},
      // A Sino-Korean word with a suffix, against one word of two hanja.
      {K::kSinoKoreanSuffix, u"확인란", 1, u"", V::kYes, true,
       u"확인란＝確認＋란（漢字語＋接尾辞）"},
      {K::kSinoKoreanSuffix, u"생산력", 1, u"", V::kYes, true, u""},
      {K::kSinoKoreanSuffix, u"권력", 0, u"", V::kNo, false,
       u"권력＝權力（一語の漢字語）"},
      // The ㄹ of an ending inside the word, and the ㄹ of a stem before it;
      // where the readings disagree, the guess is what most of them say (갈지:
      // 갈다 and 가다 with -을지, 갈다 with -지; 알지: one each).
      {K::kFutureAdnominal, u"할게", 0, u"", V::kYes, true,
       u"할게＝하다＋-을게"},
      {K::kFutureAdnominal, u"먹을수록", 1, u"", V::kYes, true, u""},
      {K::kFutureAdnominal, u"읽을게", 0, u"", V::kNo, false, u""},
      {K::kFutureAdnominal, u"읽을게", 1, u"", V::kYes, true, u""},
      {K::kFutureAdnominal, u"일본", 0, u"", V::kNo, false, u"일본＝일본"},
      {K::kFutureAdnominal, u"결과를", 0, u"", V::kNo, false,
       u"결과를＝결과＋를（助詞）"},
      {K::kFutureAdnominal, u"빌드", 0, u"", V::kNo, false,
       u"빌드＝ㄹで始まる語尾なし"},
      {K::kFutureAdnominal, u"들지", 0, u"않으면", V::kNo, false,
       u"들지＝-지（否定の語尾）"},
      {K::kFutureAdnominal, u"갈지", 0, u"", V::kUnknown, true,
       u"갈지＝갈다＋-을지／갈다＋語尾"},
      {K::kFutureAdnominal, u"알지", 0, u"", V::kUnknown, false,
       u"알지＝알다＋-을지／알다＋語尾"},
      // The adnominal before the next word: every reading, none, or a bound
      // noun, alone or with a particle, after a word read both ways.
      {K::kListedEnding, u"먹을", 1, u"것을", V::kYes, true, u""},
      {K::kListedEnding, u"줄", 0, u"수", V::kYes, true, u""},
      {K::kListedEnding, u"할", 0, u"리가", V::kYes, true,
       u"할＝하다＋-을＋리（依存名詞）"},
      {K::kListedEnding, u"줄", 0, u"서서", V::kUnknown, false, u""},
      {K::kListedEnding, u"열", 0, u"개", V::kUnknown, false, u""},
      {K::kListedEnding, u"일부를", 2, u"보다", V::kNo, false,
       u"일부를＝일부＋를（助詞）"},
      {K::kListedEnding, u"가져올", 2, u"때", V::kYes, true,
       u"가져올＝가져오다＋-을"},
      // N-insertion: a particle, the copula, the suffix -이, a word of two
      // hanja (with the verbalisers 하다, 되다 and 시키다), a particle after a
      // word the lexicon does not know.
      {K::kNInsertion, u"솜이", 0, u"", V::kNo, false, u"솜이＝솜＋이（助詞）"},
      {K::kNInsertion, u"학생입니다", 1, u"", V::kNo, false,
       u"학생입니다＝학생＋입니다（指定詞）"},
      {K::kNInsertion, u"같이", 0, u"", V::kNo, false,
       u"같이＝같이（接尾辞 -이）"},
      {K::kNInsertion, u"먹여", 0, u"", V::kNo, false, u""},
      {K::kNInsertion, u"필요해요", 0, u"", V::kNo, false,
       u"필요해요＝必要（一語の漢字語）"},
      {K::kNInsertion, u"적용하면", 0, u"", V::kNo, false,
       u"적용하면＝適用（一語の漢字語）"},
      {K::kNInsertion, u"적용되면", 0, u"", V::kNo, false,
       u"적용되면＝適用（一語の漢字語）"},
      {K::kNInsertion, u"확인시키고", 0, u"", V::kNo, false,
       u"확인시키고＝確認（一語の漢字語）"},
      {K::kNInsertion, u"커널이", 1, u"", V::kNo, false,
       u"커널이＝커널＋이（助詞）"},
      // 일, 인 and 임 after a word the lexicon does not know may be nouns
      // (막일) as well as the copula.
      {K::kNInsertion, u"커널일", 1, u"", V::kUnknown, false, u""},
      {K::kNInsertion, u"커널인", 1, u"", V::kUnknown, false, u""},
      {K::kNInsertion, u"커널임", 1, u"", V::kUnknown, false, u""},
      // A compound is left to the user, with Yes offered where both parts
      // are words.
      {K::kNInsertion, u"솜이불", 0, u"", V::kUnknown, true,
       u"솜이불＝솜＋이불（合成語らしい）"},
      {K::kNInsertion, u"막일", 0, u"", V::kUnknown, true,
       u"막일＝막＋일（合成語らしい）"},
      {K::kNInsertion, u"끊임없이", 0, u"", V::kUnknown, false,
       u"끊임없이＝辞書では判断できず"},
      // Across a space, read as one breath: two words meet, unless none
      // follows.
      {K::kNInsertion, u"한", 0, u"일이", V::kUnknown, true,
       u"한＋일이（二語の境目）"},
      {K::kNInsertion, u"한", 0, u"", V::kUnknown, false, u""},
  };
  const SystemDictionary& d = *InstalledDictionary();
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.word) + " at " + std::to_string(c.at));
    const Judgement j =
        d.Judge(WordQuestion{c.kind, c.word, c.at, c.next_word});
    EXPECT_EQ(j.verdict, c.verdict) << Utf16ToUtf8(j.reason);
    EXPECT_EQ(j.guess, c.guess) << Utf16ToUtf8(j.reason);
    if (!c.reason.empty()) {
      EXPECT_EQ(Utf16ToUtf8(j.reason), Utf16ToUtf8(c.reason));
    }
  }
}

TEST(Dictionary, NamesTheHanjaForTheQuestionText) {
  PIMORU_NEED_DICTIONARY();
  const Judgement j = InstalledDictionary()->Judge(
      WordQuestion{K::kSinoKoreanTensification, u"팔자", 0, u""});
  ASSERT_EQ(j.verdict, V::kUnknown);
  EXPECT_TRUE(j.guess);
  EXPECT_EQ(j.word, u"팔자");
  EXPECT_EQ(j.hanja, u"八字");
}

// tests/data/labelled_questions.tsv: the questions asked on real prose with
// the right answers, labelled by hand.
struct Labelled {
  std::u16string line;
  std::u16string word;
  QuestionKind kind;
  std::size_t at;
  bool answer;
};

std::vector<Labelled> LoadLabelled() {
  std::ifstream in(std::string(PIMORU_TEST_DATA_DIR) +
                   "/labelled_questions.tsv");
  EXPECT_TRUE(in.good()) << "labelled_questions.tsv not found";
  std::vector<Labelled> rows;
  std::string row;
  while (std::getline(in, row)) {
    if (row.empty() || row.starts_with('#') || row.starts_with("line\t")) {
      continue;
    }
    std::vector<std::string> cells;
    std::stringstream cut(row);
    for (std::string cell; std::getline(cut, cell, '\t');) {
      cells.push_back(cell);
    }
    if (cells.size() != 8 || (cells[6] != "y" && cells[6] != "n")) {
      ADD_FAILURE() << "malformed: " << row;
      continue;
    }
    const std::optional<QuestionKind> kind = QuestionKindNamed(cells[2]);
    if (!kind) {
      ADD_FAILURE() << "unknown kind: " << row;
      continue;
    }
    rows.push_back({Utf8ToUtf16Lossy(cells[0]), Utf8ToUtf16Lossy(cells[1]),
                    *kind, static_cast<std::size_t>(std::stoul(cells[4])),
                    cells[6] == "y"});
  }
  return rows;
}

// The word after `word` in a line, as a question reads it.
std::u16string_view NextWordIn(std::u16string_view line,
                               std::u16string_view word) {
  std::size_t end = line.find(word);
  if (end == std::u16string_view::npos) return {};
  end += word.size();
  if (end >= line.size() || line[end] != u' ') return {};
  ++end;
  std::size_t stop = end;
  while (stop < line.size() && IsSyllable(line[stop])) ++stop;
  return line.substr(end, stop - end);
}

TEST(Dictionary, DecidesAtMostOnePercentOfTheLabelledQuestionsWrongly) {
  PIMORU_NEED_DICTIONARY();
  const std::vector<Labelled> rows = LoadLabelled();
  ASSERT_GE(rows.size(), 300u);
  int decided = 0;
  int wrong = 0;
  std::string wrongs;
  for (const Labelled& l : rows) {
    const Judgement j = InstalledDictionary()->Judge(
        WordQuestion{l.kind, l.word, l.at, NextWordIn(l.line, l.word)});
    if (j.verdict == V::kUnknown) continue;
    ++decided;
    if ((j.verdict == V::kYes) != l.answer) {
      ++wrong;
      wrongs += "  " + Utf16ToUtf8(l.word) + ": " + Utf16ToUtf8(j.reason) +
                " in " + Utf16ToUtf8(l.line) + "\n";
    }
  }
  std::printf("Labelled questions: %zu, decided %d, wrong %d\n%s", rows.size(),
              decided, wrong, wrongs.c_str());
  EXPECT_LE(wrong * 100, decided) << wrongs;
}

// Through the pipeline: the dictionary reads the word as typed, not the
// half-converted text, and answers each ㄹ of 읽을게요 for itself.
TEST(Dictionary, AnswersInsideAConversionFromTheWordAsTyped) {
  PIMORU_NEED_DICTIONARY();
  FixedAsker no(false);
  KnowingAsker asker(*InstalledDictionary(), no);
  NoWordLists lists;
  StageRecord record;
  const std::u16string reading =
      RunPipeline(u"목록을 읽을게요", Options{}, lists, asker, record);
  EXPECT_EQ(reading, u"몽노글 일글께요");
  const std::vector<RecordedQuestion>& asked =
      record.questions[StageId::kNasalisation2];
  ASSERT_FALSE(asked.empty());
  const RecordedQuestion& first = asked.front();
  EXPECT_EQ(first.word, u"목록을");
  EXPECT_EQ(first.pair, u"목록");
  EXPECT_EQ(first.answer.by, Answerer::kDictionary);
  EXPECT_EQ(first.answer.reason, u"목록＝目錄（漢字語）");
}

}  // namespace
}  // namespace pimoru
