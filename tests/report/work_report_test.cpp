#include "report/work_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "hangul/word_list.h"
#include "pipeline/options.h"
#include "pipeline/pipeline.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

constexpr char16_t kRed[] = u"<span class=\"red\">";
constexpr char16_t kEnd[] = u"</span>";

std::u16string Refs(std::u16string_view text) { return NumericCharRefs(text); }

TEST(NumericCharRefs, FourUpperCaseHexDigitsPerCodeUnit) {
  EXPECT_EQ(NumericCharRefs(u""), u"");
  EXPECT_EQ(NumericCharRefs(u"가"), u"&#xAC00;");
  EXPECT_EQ(NumericCharRefs(u" A"), u"&#x0020;&#x0041;");
  EXPECT_EQ(NumericCharRefs(u"<&"), u"&#x003C;&#x0026;");
  EXPECT_EQ(NumericCharRefs(u"😀"), u"&#xD83D;&#xDE00;");  // two code units
}

TEST(HighlightChanges, RedRunsWhereTheTextsDiffer) {
  struct Case {
    std::u16string previous, current, body;
  } const cases[] = {
      // 국물 → 궁물: one red character, closed before the next.
      {u"국물", u"궁물", kRed + Refs(u"궁") + kEnd + Refs(u"물")},
      // 같이 → 가치: one run to the end, closed by the paragraph.
      {u"같이", u"가치", kRed + Refs(u"가치")},
      // Different lengths are aligned: only what was put in is red.
      {u"닭", u"닥 도", kRed + Refs(u"닥 도")},
      {u"가다", u"가 다", Refs(u"가") + kRed + Refs(u" ") + kEnd + Refs(u"다")},
      {u"", u"가", kRed + Refs(u"가")},
      {u"가나", u"가나", Refs(u"가나")},
      // Two runs.
      {u"가나다라", u"거나더러",
       kRed + Refs(u"거") + kEnd + Refs(u"나") + kRed + Refs(u"더러")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.previous) + " → " + U8(c.current));
    EXPECT_EQ(U8(HighlightChanges(c.previous, c.current)), U8(c.body));
  }
}

TEST(HighlightVoicing, RedRunsWhereTheMarkIsTwo) {
  struct Case {
    std::u16string text, marks, body;
  } const cases[] = {
      {u"가다", u"12", Refs(u"가") + kRed + Refs(u"다")},
      {u"가다 가다", u"12012",
       Refs(u"가") + kRed + Refs(u"다") + kEnd + Refs(u" 가") + kRed +
           Refs(u"다")},
      {u"감기다", u"122", Refs(u"감") + kRed + Refs(u"기다")},
      {u"밥", u"1", Refs(u"밥")},
      // Beyond the last mark a run neither opens nor closes.
      {u"가다가", u"12", Refs(u"가") + kRed + Refs(u"다가")},
      {u"가다", u"", Refs(u"가다")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.text) + " " + U8(c.marks));
    EXPECT_EQ(U8(HighlightVoicing(c.text, c.marks)), U8(c.body));
  }
}

// 국물 가다 → 궁물 가다: nasalisation 2, and the voicing of 다.
StageRecord SmallConversion() {
  StageRecord record;
  record.results[StageId::kInput] = u"국물 가다";
  record.results[StageId::kFormatting] = u"국물 가다";
  record.results[StageId::kNasalisation2] = u"궁물 가다";
  record.changed[StageId::kNasalisation2] = true;
  record.results[StageId::kVoicing] = u"궁물 가다";
  record.changed[StageId::kVoicing] = true;
  return record;
}

// A conversion as the report reads it.
Conversion Conv(std::u16string_view input, std::u16string_view reading,
                const StageRecord& record, std::u16string_view voicing_marks) {
  Conversion c;
  c.input = input;
  c.reading = reading;
  c.record = record;
  c.transcription.voicing_marks = voicing_marks;
  return c;
}

TEST(WorkReport, MatchesTheGoldenFileByteForByte) {
  TempFolder folder;
  const std::filesystem::path path = folder.path() / "Work.html";
  WriteWorkReport(path,
                  Conv(u"국물 가다", u"궁물 가다", SmallConversion(), u"11012"),
                  "/usr/share/pimoru/html");
  const std::string golden = ReadFileBytes(
      std::filesystem::path(PIMORU_TEST_DATA_DIR) / "report_golden.html");
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(ReadFileBytes(path), golden);
  // Only the page itself is left in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(WorkReport, ListsTheFormattedInputAndFlaggedStagesEvenWithoutAText) {
  StageRecord record;
  record.results[StageId::kFormatting] = u"값";
  // Credited by a special word, nothing stored.
  record.changed[StageId::kTensification4] = true;
  const std::u16string page = WorkReportPage(u"갑", record, u"1", "/h");
  EXPECT_NE(page.find(u"<a href=\"/h/sogo.html\" target=\"_blank\">整形ハングル"
                      u"</a>：　<span class=\"ko2\">&#xAC12;</span></p>\r\n"),
            std::u16string::npos);
  EXPECT_NE(page.find(u"<a href=\"/h/noonka4.html\" target=\"_blank\">濃音化４"
                      u"</a>：　<span class=\"ko2\">&#xAC12;</span></p>\r\n"),
            std::u16string::npos);
  EXPECT_EQ(page.find(u"有声音化"), std::u16string::npos);
  EXPECT_NE(page.find(u"<span class=\"ko2\">&#xAC11;</span></p>\r\n</body>"),
            std::u16string::npos);
}

// Each question is listed under the stage that asked it, with who answered
// and why; a stage that asked but changed nothing still lists its questions.
TEST(WorkReport, ListsEachQuestionUnderTheStageThatAskedIt) {
  StageRecord record = SmallConversion();
  record.questions[StageId::kNasalisation2] = {
      {QuestionKind::kSinoKoreanNasalisation,
       u"목록을",
       u"목록",
       {true, Answerer::kDictionary, u"목록＝目錄（漢字語）"}},
  };
  record.questions[StageId::kTensification5] = {
      {QuestionKind::kFutureAdnominal,
       u"결과를",
       u"",
       {false, Answerer::kDictionary, u"결과를＝결과＋를（助詞）"}},
      {QuestionKind::kFutureAdnominal,
       u"할게",
       u"",
       {true, Answerer::kUser, u""}},
  };
  const std::u16string page = WorkReportPage(u"궁물 가다", record, u"", "/h");
  const auto at = [&](std::u16string_view text) { return page.find(text); };
  const std::size_t stage16 = at(u"鼻音化２</a>");
  const std::size_t sino =
      at(u"<span class=\"ko2\">" + NumericCharRefs(u"목록") +
         u"</span>（漢字語？）　" +
         NumericCharRefs(u"辞書：목록＝目錄（漢字語）→はい"));
  const std::size_t stage20 = at(u"濃音化５</a>：　変化なし</p>");
  const std::size_t particle =
      at(NumericCharRefs(u"辞書：결과를＝결과＋를（助詞）→いいえ"));
  const std::size_t user = at(NumericCharRefs(u"回答：はい"));
  const std::size_t voicing = at(u"有声音化");
  for (const std::size_t found : {stage16, sino, stage20, particle, user}) {
    ASSERT_NE(found, std::u16string::npos) << U8(page);
  }
  EXPECT_LT(stage16, sino);
  EXPECT_LT(sino, stage20);
  EXPECT_LT(stage20, particle);
  EXPECT_LT(particle, user);
  EXPECT_LT(user, voicing);
}

// A long input's page shows the start of each text and says where it was
// cut, so that it stays a few megabytes however long the input; a change
// past the cut is not shown, and questions and places left as typed past
// the bound are counted.
TEST(WorkReport, ALongInputIsCutAndTheCutSaid) {
  constexpr std::size_t kLength = 3 * kReportCharacters;
  constexpr StageId kStage = StageId::kNasalisation2;
  StageRecord record;
  record.results[StageId::kFormatting] = std::u16string(kLength, u'국');
  record.results[kStage] = record.results[StageId::kFormatting];
  record.results[kStage][5] = u'궁';
  record.results[kStage][2 * kReportCharacters] = u'궁';
  record.changed[kStage] = true;
  record.questions[kStage].assign(kReportListed + 7,
                                  {QuestionKind::kSinoKoreanNasalisation,
                                   u"국국",
                                   u"국국",
                                   {false, Answerer::kPolicy, u""}});
  // A Latin word as long as the input, then more places than are listed.
  record.number_notes.assign(kReportListed + 7,
                             {NumberNoteKind::kLatinWord, {}, u"ab", 0, u"ab"});
  record.number_notes.front().typed = std::u16string(kLength, u'a');
  const std::u16string page =
      WorkReportPage(record.results[kStage], record, u"", "/h");
  const std::string text = U8(page);
  EXPECT_NE(text.find("長い入力（" + std::to_string(kLength) +
                      " 文字）のため、各段階の文は最初の " +
                      std::to_string(kReportCharacters) + " 文字までを示し"),
            std::string::npos);
  EXPECT_EQ(CountOf(text, U8(kRed + NumericCharRefs(u"궁"))), 1u);
  // Four texts (the input, the stage, the reading and the long word), each
  // cut with the "…" that the note shows.
  EXPECT_EQ(CountOf(text, "…"), 1u + 4u);
  EXPECT_EQ(CountOf(text, U8(NumericCharRefs(u"국국") + u"</span>（")),
            kReportListed);
  EXPECT_NE(page.find(u"ほか 7 問（省略）"), std::u16string::npos);
  EXPECT_EQ(CountOf(text, "読まずにそのまま"), kReportListed);
  EXPECT_NE(page.find(u"ほか 7 箇所（省略）"), std::u16string::npos);
  // Four texts of refs at 8 characters each, the listed lines, the markup.
  EXPECT_LT(page.size(), 4 * 8 * kReportCharacters + 400 * kReportListed);
}

TEST(WorkReport, SaysWhoAnsweredAndWhy) {
  const auto text = [](Answer answer) {
    return U8(QuestionAnswerText(
        {QuestionKind::kFutureAdnominal, u"줄", u"", std::move(answer)}));
  };
  EXPECT_EQ(
      text({true, Answerer::kDictionary, u"줄＝주다＋-을＋수（依存名詞）"}),
      "辞書：줄＝주다＋-을＋수（依存名詞）→はい");
  EXPECT_EQ(text({false, Answerer::kUser, u""}), "回答：いいえ");
  EXPECT_EQ(text({true, Answerer::kUser, u"줄＝주다＋-을／줄"}),
            "回答：はい（辞書：줄＝주다＋-을／줄）");
  EXPECT_EQ(text({false, Answerer::kPolicy, u""}), "既定：いいえ");
}

// The special words may credit the spacing, which ran before them and
// stored nothing (일 년 → 일년): its line shows the text the special words
// left, never an empty one.
TEST(WorkReport, ACreditedStageShowsTheTextThatHoldsItsChange) {
  StageRecord record;
  record.results[StageId::kFormatting] = u"일 년이";
  record.results[StageId::kSpecialWords] = u"일년이";
  record.changed[StageId::kSpacing] = true;
  record.changed[StageId::kSpecialWords] = true;
  const std::u16string page = WorkReportPage(u"일려니", record, u"", "/h");
  // The space taken out shows on the letter after it.
  const std::u16string joined =
      Refs(u"일") + kRed + Refs(u"년") + kEnd + Refs(u"이");
  // Beside the link, the words as they were and became.
  const std::u16string why =
      u"</a> <span class=\"why\">" + Refs(u"일 년이→일년이") + u"</span>";
  for (const std::u16string_view name : {u"分かち書き調整", u"特異例の判断"}) {
    SCOPED_TRACE(U8(name));
    EXPECT_NE(
        page.find(std::u16string(name) + why + u"：　<span class=\"ko2\">" +
                  joined + u"</span></p>\r\n"),
        std::u16string::npos)
        << U8(page);
  }
  EXPECT_EQ(page.find(u"<span class=\"ko2\"></span>"), std::u16string::npos);
}

TEST(WorkReport, GivesTheOtherStyleAfterTheReadingWithItsOptions) {
  const OtherForm other{
      SpeechStyle::kTextbook, u"안녕하세요", {u"ㅎの弱音化を無音化にする"}};
  const std::u16string page =
      WorkReportPage(u"안녕아세요", SmallConversion(), u"", "/h", {},
                     SyllableLinks::kNone, &other);
  const std::size_t reading = page.find(u"<p>読みﾊﾝｸﾞﾙ：");
  const std::size_t standard = page.find(
      u"<p>標準発音：　<span class=\"ko2\">" + Refs(u"안녕하세요") +
      u"</span>　（「ㅎの弱音化を無音化にする」をオフにした読み）</p>\r\n");
  ASSERT_NE(standard, std::u16string::npos) << U8(page);
  EXPECT_LT(reading, standard);
  // None to give: no line.
  EXPECT_EQ(WorkReportPage(u"안녕아세요", SmallConversion(), u"", "/h")
                .find(u"標準発音"),
            std::u16string::npos);
}

// The reading of numbers has its paragraph after the formatted input, the
// spacing is compared with the spelled text, and what was left as typed is
// listed, even where nothing was read.
TEST(WorkReport, TheReadingOfNumbersSaysWhatItLeftAsTyped) {
  LoadedWordLists lists(PIMORU_STAGED_DATA_DIR "/kdat");
  FixedAsker no(false);
  Options options;
  options.read_numbers_flg = true;
  const auto page_of = [&](std::u16string_view input, const Options& with) {
    StageRecord record;
    const std::u16string reading = RunPipeline(input, with, lists, no, record);
    return WorkReportPage(reading, record, u"", "/h");
  };
  const std::u16string page = page_of(u"오늘 3시에 hello 3D", options);
  const auto at = [&](std::u16string_view text) { return page.find(text); };
  const std::size_t formatted = at(u"整形ハングル</a>");
  const std::size_t stage =
      at(u"<a href=\"/h/suji_yomi.html\" target=\"_blank\">数字・英字の読み"
         u"</a> <span class=\"why\">" +
         Refs(u"3시에→세 시에") + u"</span>：　<span class=\"ko2\">" +
         Refs(u"오늘 ") + kRed + Refs(u"세 ") + kEnd + Refs(u"시에 hello 3D") +
         u"</span></p>\r\n");
  const std::size_t latin =
      at(u"<p class=\"small\">　・<span class=\"ko2\">" + Refs(u"hello") +
         u"</span>（小文字を含む英単語）　読まずにそのまま</p>\r\n");
  const std::size_t mixed =
      at(Refs(u"3D") + u"</span>（数字と英字の混じった語）　読まずにそのまま");
  const std::size_t spacing =
      at(u"分かち書き調整</a> <span class=\"why\">" + Refs(u"세 시에→세$시에") +
         u"</span>：　<span class=\"ko2\">" + Refs(u"오늘 세") + kRed +
         Refs(u"$") + kEnd + Refs(u"시에 hello 3D"));
  for (const std::size_t found : {formatted, stage, latin, mixed, spacing}) {
    ASSERT_NE(found, std::u16string::npos) << U8(page);
  }
  EXPECT_LT(formatted, stage);
  EXPECT_LT(stage, latin);
  EXPECT_LT(latin, mixed);
  EXPECT_LT(mixed, spacing);

  const std::u16string left = page_of(u"hello 세계", options);
  EXPECT_NE(left.find(u"数字・英字の読み</a>：　変化なし</p>\r\n<p "
                      u"class=\"small\">　・<span class=\"ko2\">" +
                      Refs(u"hello")),
            std::u16string::npos)
      << U8(left);
  EXPECT_EQ(page_of(u"오늘 3시에 hello 3D", Options{}).find(u"数字・英字"),
            std::u16string::npos);
}

TEST(WorkReport, FolderIsEscapedInLinks) {
  const std::u16string page =
      WorkReportPage(u"가", StageRecord{}, u"1", "/data/C# & \"Q\" <x>?50%/");
  const std::u16string folder =
      u"/data/C%23 &amp; &quot;Q&quot; &lt;x&gt;%3F50%25";
  EXPECT_NE(page.find(u"href=\"" + folder + u"/pimoru1.css\""),
            std::u16string::npos)
      << U8(page);
  EXPECT_NE(page.find(u"href=\"" + folder + u"/sogo.html\""),
            std::u16string::npos);
}

TEST(WorkReport, EmptyInputWritesNothing) {
  TempFolder folder;
  const std::filesystem::path path = folder.path() / "Work.html";
  WriteWorkReport(path, Conv(u"", u"가", SmallConversion(), u"1"), "/h");
  EXPECT_FALSE(std::filesystem::exists(path));

  // An earlier page stays as it was.
  folder.WriteBytes("Work.html", "earlier");
  WriteWorkReport(path, Conv(u"", u"가", SmallConversion(), u"1"), "/h");
  WriteWorkReport(path, Conv(u" \t", u"가", SmallConversion(), u"1"), "/h");
  EXPECT_EQ(ReadFileBytes(path), "earlier");
}

TEST(WorkReport, ReplacesAnEarlierPage) {
  TempFolder folder;
  const std::filesystem::path path = folder.WriteBytes("Work.html", "earlier");
  WriteWorkReport(path, Conv(u"가", u"가", StageRecord{}, u"1"), "/h");
  const std::string bytes = ReadFileBytes(path);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFE<\0", 4));
  EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("\r\0\n\0", 4));
}

TEST(WorkReport, UnwritableTargetThrowsAndLeavesNoTrace) {
  TempFolder folder;
  // The folder is missing.
  const std::filesystem::path missing = folder.path() / "no" / "Work.html";
  EXPECT_THROW(
      WriteWorkReport(missing, Conv(u"가", u"가", StageRecord{}, u"1"), "/h"),
      ConversionError);
  EXPECT_FALSE(std::filesystem::exists(missing.parent_path()));

  // The "folder" is a file.
  const std::filesystem::path file = folder.WriteBytes("plain", "x");
  EXPECT_THROW(WriteWorkReport(file / "Work.html",
                               Conv(u"가", u"가", StageRecord{}, u"1"), "/h"),
               ConversionError);

  // The target is a folder: the page cannot take its place, and the
  // temporary file is gone again.
  const std::filesystem::path taken = folder.path() / "Work.html";
  std::filesystem::create_directory(taken);
  try {
    WriteWorkReport(taken, Conv(u"가", u"가", StageRecord{}, u"1"), "/h");
    ADD_FAILURE() << "no error";
  } catch (const ConversionError& e) {
    EXPECT_NE(std::string(e.what()).find(taken.string()), std::string::npos)
        << e.what();
  }
  EXPECT_TRUE(std::filesystem::is_directory(taken));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            2);  // "plain" and "Work.html"
}

}  // namespace
}  // namespace pimoru
