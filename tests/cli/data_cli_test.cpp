// The data folder and its word lists through the command line: a folder
// that is not there is bad usage, a list that cannot be read is said once
// per run, and every input it fails says so in its output.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

TEST(CliData, AFolderWithoutWordListsIsBadUsage) {
  TempFolder empty;
  TempFolder kdat_is_a_file;
  kdat_is_a_file.WriteBytes("kdat", "");
  for (const std::string& data :
       {std::string("/no/such/folder"), empty.path().string(),
        kdat_is_a_file.path().string()}) {
    SCOPED_TRACE(data);
    const CliResult r = RunCli({"--data", data, "--answers", "no", "문고리"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("pimoru-cli: --data " + data + ": "),
              std::string::npos)
        << r.err;
  }
}

// A list that exists and cannot be read (here a FIFO, which must not hang
// the run, and a list with a bad number) is said once per run, however
// many inputs and workers meet it; each input it fails is marked so in the
// output.
TEST(CliData, AnUnreadableListIsSaidOncePerRun) {
  TempFolder data;
  data.WriteUtf16("kdat/setsubi.txt", u"문고리,문꼬리\n");
  ASSERT_EQ(mkfifo((data.path() / "kdat" / "co_suff.txt").c_str(), 0644), 0);
  data.WriteUtf16("kdat/kspecial.txt", u"3,가,나\nthree,다,라\n");
  const std::string kdat = (data.path() / "kdat").string();
  std::string input;
  for (int k = 0; k < 2000; ++k) input += "문고리\n";
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    std::size_t inputs;
  } const cases[] = {
      {"arguments", {"문고리", "문고리", "문고리"}, "", 3},
      {"a batch", {}, input, 2000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> args = {
        "--data", data.path().string(), "--answers", "no", "--format", "json"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliResult r = RunCli(args, c.input);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(CountOf(r.err, "\n"), 2u) << r.err;
    EXPECT_EQ(
        CountOf(r.err, "pimoru-cli: " + kdat + "/co_suff.txt を読めません"), 1u)
        << r.err;
    EXPECT_EQ(CountOf(r.err, "pimoru-cli: " + kdat + "/kspecial.txt 2 行目"),
              1u)
        << r.err;
    EXPECT_EQ(CountOf(r.out, "{\"input\":\"문고리\",\"error\":\"" + kdat +
                                 "/co_suff.txt を読めません。"),
              c.inputs)
        << r.out.substr(0, 1000);
  }
}

// A list that was read but swells one input's text past its bound fails
// that input alone, and is said for each input it fails.
TEST(CliData, AListThatSwellsAnInputIsSaidForThatInput) {
  TempFolder data;
  data.WriteUtf16("kdat/setsubi.txt",
                  u"가," + std::u16string(200000, u'나') + u"\n");
  const CliResult r = RunCli(
      {"--data", data.path().string(), "--answers", "no"}, "가\n나\n가\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(CountOf(r.err, "\n"), 2u) << r.err.substr(0, 1000);
  for (const std::string line : {"1", "3"}) {
    EXPECT_EQ(CountOf(r.err, "pimoru-cli: line " + line + ": setsubi.txt: "),
              1u)
        << r.err.substr(0, 1000);
  }
}

// A failed input keeps its place in every format: an empty line in tsv, an
// object with "error" in json, a marked line where its block would begin in
// text and in the stage trace.
TEST(CliData, AFailedInputIsMarkedInEveryFormat) {
  struct Case {
    std::vector<std::string> options;
    std::string failed;  // the output of line 2
  } const cases[] = {
      {{}, "\n"},
      {{"--format", "json"}, "{\"error\":\"invalid UTF-8\"}\n"},
      {{"--format", "json", "--stage-trace"},
       "{\"error\":\"invalid UTF-8\"}\n"},
      {{"--format", "text"}, "エラー：invalid UTF-8\n"},
      {{"--stage-trace"}, "エラー：invalid UTF-8\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options.empty() ? "tsv" : c.options.back());
    std::vector<std::string> args = {"--answers", "no"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const CliResult r = RunCli(WithData(args), "가\n\xFF\n나\n");
    EXPECT_EQ(r.status, 1);
    std::vector<std::string> one = args;
    one.push_back("가");
    const std::string first = RunCli(WithData(one)).out;
    one.back() = "나";
    const std::string third = RunCli(WithData(one)).out;
    EXPECT_EQ(r.out, first + c.failed + third);
  }
}

}  // namespace
}  // namespace pimoru
