// A batch on standard input is converted by several workers at once; what
// it prints, the messages, the exit status and the report are those of the
// same inputs converted one after another as arguments, whatever the line
// endings.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

// Enough lines for many chunks of work, with ill-formed lines in the first,
// a middle and the last of them, and a last line that fails.
std::vector<std::string> BatchLines() {
  const std::vector<std::string> sentences = {
      "안녕하세요. 만나서 반갑습니다.",
      "국물이 너무 짜서 물을 더 넣었어요.",
      "솜이불을 덮고 잤어요.",
      "꽃잎이 떨어져요",
      "맨입으로 식용유를 샀다",
      "값이 많다, 읽고 싶다",
      "A가 \t 희망",
      "",
      "저희하고 같이 가요",
      "의사의 의견"};
  std::vector<std::string> lines;
  for (int k = 0; k < 2000; ++k) {
    lines.push_back(sentences[(k * 7) % sentences.size()]);
  }
  // Moved in, not assigned from literals: at -O3 GCC 12 falsely warns that
  // assign() copies overlapping memory (-Wrestrict).
  lines[2] = std::string("\xFF");
  lines[777] = std::string("\xC0\xAF");
  lines[1999] = std::string("가\xE1\x84");
  return lines;
}

TEST(CliBatch, StandardInputMatchesArgumentsOneByOne) {
  const std::vector<std::string> lines = BatchLines();
  std::string input;
  for (const std::string& line : lines) input += line + "\n";
  struct Case {
    const char* name;
    std::vector<std::string> options;
  } const cases[] = {
      {"tsv", {"--answers", "no"}},
      {"answers yes, json trace",
       {"--answers", "yes", "--format", "json", "--stage-trace", "--n-insert"}},
      {"answer list, text", {"--answer-list", "yny", "--format", "text"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const std::filesystem::path batch_page = folder.path() / "batch.html";
    const std::filesystem::path one_page = folder.path() / "one.html";
    std::vector<std::string> batch_args = c.options;
    batch_args.insert(batch_args.end(), {"--report", batch_page.string()});
    std::vector<std::string> one_args = c.options;
    one_args.insert(one_args.end(), {"--report", one_page.string()});
    one_args.insert(one_args.end(), lines.begin(), lines.end());

    const CliResult batch = RunCli(WithData(batch_args), input);
    const CliResult one = RunCli(WithData(one_args));
    EXPECT_EQ(batch.status, 1);
    EXPECT_EQ(one.status, 1);
    EXPECT_TRUE(batch.out == one.out) << "outputs differ";
    EXPECT_EQ(batch.err,
              "pimoru-cli: line 3: invalid UTF-8\n"
              "pimoru-cli: line 778: invalid UTF-8\n"
              "pimoru-cli: line 2000: invalid UTF-8\n");
    // The report is of line 1999, the last that converted.
    const std::string page = ReadFileBytes(batch_page);
    EXPECT_FALSE(page.empty());
    EXPECT_TRUE(page == ReadFileBytes(one_page)) << "reports differ";
  }
}

// Standard input is read a block at a time; its lines are still those of
// std::getline: a carriage return before a line feed is dropped, a last line
// needs no line feed, and a line may be longer than a block.
TEST(CliBatch, LinesAcrossReadsAsGetlineSplitsThem) {
  std::string long_line;
  while (long_line.size() < 100000) long_line += "값이 많다 희망 ";
  const std::vector<std::string> lines = {"가다", "",        long_line,
                                          "읽다", "끝 \xFF", "마지막"};
  // JSON shows each input as it was read.
  const CliResult one =
      RunCli(WithData({"--answers", "no", "--format", "json", lines[0],
                       lines[1], lines[2], lines[3], lines[4], lines[5]}));
  struct Case {
    const char* name;
    std::string input;
  } const cases[] = {
      {"line feeds", "가다\n\n" + long_line + "\n읽다\n끝 \xFF\n마지막\n"},
      {"carriage returns, no last line feed",
       "가다\r\n\r\n" + long_line + "\r\n읽다\n끝 \xFF\r\n마지막"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CliResult batch =
        RunCli(WithData({"--answers", "no", "--format", "json"}), c.input);
    EXPECT_EQ(batch.status, 1);
    EXPECT_TRUE(batch.out == one.out) << "outputs differ";
    EXPECT_EQ(batch.err, "pimoru-cli: line 5: invalid UTF-8\n");
  }
  EXPECT_EQ(RunCli(WithData({"--answers", "no"}), "").out, "");
  EXPECT_EQ(RunCli(WithData({"--answers", "no"}), "\n").out, "\t\t\n");
}

}  // namespace
}  // namespace pimoru
