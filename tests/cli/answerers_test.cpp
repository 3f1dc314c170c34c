// The command line's answers: the question on the terminal with the
// dictionary's guess, and --answers auto end to end.
#include "cli/answerers.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "cli/cli_runner.h"
#include "hangul/jamo.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

TEST(TerminalQuestion, ShowsTheHanjaAndTheGuessAndMakesItTheDefault) {
  const std::u16string input = u"새 목록을";
  const std::u16string jamo = DecomposeText(input);
  const std::u16string pattern = {fin::kGiyeok, ini::kRieul};
  TypedInput typed(input);
  const Question question(QuestionKind::kSinoKoreanNasalisation, jamo,
                          jamo.find(fin::kGiyeok), pattern, &typed);
  Judgement guess;
  guess.guess = true;
  guess.reason = u"목록＝目錄（漢字語）";
  guess.word = u"목록";
  guess.hanja = u"目錄";
  // The word as typed, its hanja, where it stands and the guess.
  const std::string asked =
      "は漢字語ですか？\n"
      "　목｜록을（ㄱパッチム＋ㄹ初声）\n"
      "漢字語でㄱパッチムの後ろにㄹ初声が来た場合、鼻音化します。\n"
      "位置：3文字目　새 ［목록을］\n";
  EXPECT_EQ(TerminalQuestion(question, guess),
            "【鼻音化】\n「목록을」（목록＝目錄）" + asked +
                "辞書の推測：はい（목록＝目錄（漢字語））\n"
                "[Y/n、y!/n!：以後、同じ語には同じ答え] ");
  guess.guess = false;
  guess.hanja.clear();
  EXPECT_TRUE(TerminalQuestion(question, guess)
                  .ends_with("\n[y/N、y!/n!：以後、同じ語には同じ答え] "));
  // No dictionary consulted: y or n to answer.
  EXPECT_EQ(TerminalQuestion(question, Judgement{}),
            "【鼻音化】\n「목록을」" + asked +
                "[y/n、y!/n!：以後、同じ語には同じ答え] ");
}

std::string Readings(const std::vector<std::string>& args,
                     const std::string& input) {
  const CliResult r = RunCli(WithData(args), input);
  EXPECT_EQ(r.status, 0) << r.err;
  std::string readings;
  std::size_t begin = 0;
  while (begin < r.out.size()) {
    const std::size_t end = r.out.find('\n', begin);
    readings += r.out.substr(begin, r.out.find('\t', begin) - begin) + "|";
    begin = end == std::string::npos ? r.out.size() : end + 1;
  }
  return readings;
}

TEST(AnswersAuto, TheDictionaryDecidesAndYesAndNoStayAsTold) {
  if (RunCli({"--version"}).out.find("dictionary found") == std::string::npos) {
    GTEST_SKIP() << "the dictionary's files are not installed";
  }
  const std::string input = "목록을 입력하면\n읽을게요\n일본 물건\n";
  EXPECT_EQ(Readings({"--answers", "auto"}, input),
            "몽노글 임녀카면|일글께요|일본 물건|");
  // Not on a terminal, without a policy, every question is answered No, as
  // scripts have always had it.
  EXPECT_EQ(Readings({}, input), "목로글 입려카면|일글께요|일본 물건|");
  // yes, no, an answer list and --no-dictionary consult no dictionary.
  EXPECT_EQ(Readings({"--answers", "no"}, input),
            "목로글 입려카면|일글께요|일본 물건|");
  EXPECT_EQ(Readings({"--answers", "yes"}, input),
            "몽노글 임녀카면|일끌께요|일뽄 물껀|");
  EXPECT_EQ(Readings({"--answer-list", "n"}, input),
            "목로글 입려카면|일글께요|일본 물건|");
  EXPECT_EQ(Readings({"--answers", "auto", "--no-dictionary"}, input),
            "목로글 입려카면|일글께요|일본 물건|");
}

// The numeral before 번 and 대 is the stage's question, whose guess auto
// takes with or without the dictionary; every other question auto leaves
// undecided is still answered No, and without --read-numbers the digits
// stand as typed.
TEST(AnswersAuto, TakesTheGuessOfTheNumeralBeforeACounter) {
  const std::string input = "3번 출구에서 2번 목록을 봤어요\n20대 2대\n";
  EXPECT_EQ(Readings({"--answers", "auto", "--no-dictionary", "--read-numbers"},
                     input),
            "삼 번 출구에서 두번 목로글 봐써요|이십 대 두대|");
  EXPECT_EQ(Readings({"--answers", "no", "--read-numbers"}, input),
            "삼 번 출구에서 이 번 목로글 봐써요|이십 대 이 대|");
  EXPECT_EQ(Readings({"--answers", "yes", "--read-numbers"}, input),
            "세 번 출꾸에서 두번 몽노글 봐써요|스무 대 두대|");
  EXPECT_EQ(Readings({"--answer-list", "ynn", "--read-numbers"}, input),
            "세 번 출구에서 이 번 목로글 봐써요|스무 대 이 대|");
  EXPECT_EQ(Readings({"--answers", "auto", "--no-dictionary", "--read-numbers",
                      "--no-read-numbers"},
                     input),
            "3번 출구에서 2번 목로글 봐써요|20대 2대|");
  if (RunCli({"--version"}).out.find("dictionary found") != std::string::npos) {
    EXPECT_EQ(Readings({"--answers", "auto", "--read-numbers"}, input),
              "삼 번 출구에서 두번 몽노글 봐써요|이십 대 두대|");
  }
}

TEST(AnswersAuto, VersionSaysWhetherTheDictionaryWasFound) {
  const CliResult r = RunCli({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\ndictionary "), std::string::npos) << r.out;
}

TEST(AnswersAuto, AMissingDictionaryIsSaidAndEveryQuestionAnsweredNo) {
  // The environment points the dictionary at a file that is not there.
  ::setenv("PIMORU_HANJA_FILE", "/nonexistent/hanja.txt", 1);
  const CliResult r = RunCli(WithData({"--answers", "auto", "목록을"}));
  const CliResult version = RunCli({"--version"});
  ::unsetenv("PIMORU_HANJA_FILE");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.starts_with("목로글\t")) << r.out;
  EXPECT_NE(r.err.find("dictionary missing: "), std::string::npos) << r.err;
  EXPECT_NE(version.out.find("dictionary missing: "), std::string::npos)
      << version.out;
  // --answers no never consults it, so says nothing.
  EXPECT_EQ(RunCli(WithData({"--answers", "no", "목록을"})).err, "");
}

// The environment may point the dictionary at anything: whatever is not a
// dictionary's file is said, naming it and why, by --version and by the
// warning of --answers auto, whose questions are then answered No. Nothing
// aborts, and nothing waits on a FIFO or reads a device to its end.
TEST(AnswersAuto, WhatIsNoDictionarysFileIsSaidAndNamed) {
  if (RunCli({"--version"}).out.find("built without") != std::string::npos) {
    GTEST_SKIP() << "built without the dictionary";
  }
  namespace fs = std::filesystem;
  struct Case {
    const char* name;
    const char* variable;
    // Makes what the variable names in `folder`; returns its value.
    std::function<std::string(const TempFolder& folder)> make;
    std::string said;  // after the file's path
  } const cases[] = {
      {"a folder", "PIMORU_HANJA_FILE",
       [](const TempFolder& t) {
         fs::create_directory(t.path() / "hanja.txt");
         return (t.path() / "hanja.txt").string();
       },
       ": フォルダです"},
      {"a FIFO", "PIMORU_HANJA_FILE",
       [](const TempFolder& t) {
         EXPECT_EQ(::mkfifo((t.path() / "hanja.txt").c_str(), 0600), 0);
         return (t.path() / "hanja.txt").string();
       },
       ": 通常のファイルではありません"},
      {"/dev/zero", "PIMORU_HANJA_FILE",
       [](const TempFolder&) { return std::string("/dev/zero"); },
       ": 通常のファイルではありません"},
      {"/dev/null", "PIMORU_HANJA_FILE",
       [](const TempFolder&) { return std::string("/dev/null"); },
       ": 通常のファイルではありません"},
      // Sparse: 2 GiB of zeros that take no room.
      {"a huge file", "PIMORU_HANJA_FILE",
       [](const TempFolder& t) {
         const fs::path path = t.WriteBytes("hanja.txt", "");
         fs::resize_file(path, std::uint64_t{2} << 30);
         return path.string();
       },
       ": 64 MiB を超えています"},
      {"a file of no entries", "PIMORU_HANJA_FILE",
       [](const TempFolder& t) {
         return t.WriteBytes("hanja.txt", "no entries here\n").string();
       },
       ": 漢字語の項目がありません"},
      {"folders x.aff/ and x.dic/", "PIMORU_LEXICON",
       [](const TempFolder& t) {
         fs::create_directory(t.path() / "x.aff");
         fs::create_directory(t.path() / "x.dic");
         return (t.path() / "x").string();
       },
       ".aff: フォルダです"},
      {"a FIFO as the word file", "PIMORU_LEXICON",
       [](const TempFolder& t) {
         t.WriteBytes("x.aff", "SET UTF-8\n");
         EXPECT_EQ(::mkfifo((t.path() / "x.dic").c_str(), 0600), 0);
         return (t.path() / "x").string();
       },
       ".dic: 通常のファイルではありません"},
      {"a word file without its count", "PIMORU_LEXICON",
       [](const TempFolder& t) {
         t.WriteBytes("x.aff", "SET UTF-8\n");
         t.WriteBytes("x.dic", std::string(4096, '\0'));
         return (t.path() / "x").string();
       },
       ".dic: 語数で始まっていません"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const std::string value = c.make(folder);
    // The other part of the dictionary is left out, which is quicker than
    // loading it.
    ::setenv("PIMORU_HANJA_FILE", "/nonexistent/hanja.txt", 1);
    ::setenv("PIMORU_LEXICON", "/nonexistent/ko", 1);
    ::setenv(c.variable, value.c_str(), 1);
    const CliResult r = RunCli(WithData({"--answers", "auto", "목록을"}));
    const CliResult version = RunCli({"--version"});
    ::unsetenv("PIMORU_HANJA_FILE");
    ::unsetenv("PIMORU_LEXICON");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with("목로글\t")) << r.out;
    const std::string said = value + c.said;
    EXPECT_NE(r.err.find("dictionary missing: "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(said), std::string::npos) << r.err;
    EXPECT_EQ(version.status, 0);
    EXPECT_NE(version.out.find("dictionary missing: "), std::string::npos)
        << version.out;
    EXPECT_NE(version.out.find(said), std::string::npos) << version.out;
  }
}

}  // namespace
}  // namespace pimoru
