#include <gtest/gtest.h>

#include <string>

#include "cli/cli_runner.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

TEST(CliUsage, BadUsageExitsTwo) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--bogus"},
                                             {"--format", "xml"},
                                             {"--answers", "maybe"},
                                             {"--notation", "3"},
                                             {"--notation"},
                                             {"--stage-trace=1"},
                                             {"--standard=1"},
                                             {"--report", ""}}) {
    SCOPED_TRACE(args[0]);
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("pimoru-cli:"), std::string::npos);
    EXPECT_EQ(r.out, "");
  }
}

TEST(CliUsage, HelpAndVersion) {
  const CliResult help = RunCli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--stage-trace"), std::string::npos);
  const CliResult version = RunCli({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("pimoru-cli ", 0), 0u);
}

TEST(CliTrace, ShowsRawAndFormattedSlots) {
  const CliResult r =
      RunCli(WithData({"--answers", "no", "--stage-trace", "  값이  많다 "}));
  EXPECT_EQ(r.status, 0) << r.err;
  const std::string expected_head =
      "0\t生のハングル\t  값이  많다 \n"
      "1\t整形ハングル\t값이 많다\n";
  EXPECT_EQ(r.out.substr(0, expected_head.size()), expected_head);
  // The last line is the tsv result: reading, symbols, katakana.
  const std::string last =
      r.out.substr(r.out.rfind('\n', r.out.size() - 2) + 1);
  EXPECT_EQ(std::count(last.begin(), last.end(), '\t'), 2);
}

TEST(CliInput, LinesOfStandardInputStayAligned) {
  // The second line is not UTF-8: an error naming it, an empty output line,
  // and the other lines still convert.
  const CliResult r =
      RunCli(WithData({"--answers", "no"}), "가\n\xFF\xFE\n나\r\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("line 2"), std::string::npos) << r.err;
  const std::string::size_type first = r.out.find('\n');
  ASSERT_NE(first, std::string::npos);
  EXPECT_EQ(r.out.substr(0, 3), "가");
  EXPECT_EQ(r.out.substr(first + 1, 1), "\n");
  EXPECT_EQ(r.out.substr(first + 2, 3), "나");
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 3);
}

TEST(CliFormat, JsonEscapesAndKeepsOneObjectPerLine) {
  const CliResult r = RunCli(
      WithData({"--answers", "no", "--format", "json", "a\"b\\c", "가"}));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(
      r.out.substr(0, r.out.find('\n'))
          .rfind("{\"input\":\"a\\\"b\\\\c\",\"reading\":\"a\\\"b\\\\c\"", 0),
      0u)
      << r.out;
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2);
}

// --standard is the standard pronunciation: both options of everyday speech
// off, and an option after it still counts.
TEST(CliOptions, StandardIsBothEverydayOptionsOff) {
  const std::string text = "안녕하세요 감사합니다 고맙습니다";
  const std::vector<
      std::pair<std::vector<std::string>, std::vector<std::string>>>
      same = {
          {{"--standard"}, {"--no-h-strong", "--no-real-endings"}},
          {{"--standard", "--real-endings"}, {"--no-h-strong"}},
          {{"--real-endings", "--standard"}, {"--standard"}},
      };
  for (const auto& [shorthand, spelled] : same) {
    SCOPED_TRACE(shorthand.front() + " " + shorthand.back());
    std::vector<std::string> a = shorthand;
    std::vector<std::string> b = spelled;
    a.push_back(text);
    b.push_back(text);
    const CliResult with = RunCli(WithData(a));
    EXPECT_EQ(with.status, 0) << with.err;
    EXPECT_EQ(with.out, RunCli(WithData(b)).out);
  }
  const CliResult standard = RunCli(WithData({"--standard", text}));
  EXPECT_EQ(standard.out.substr(0, standard.out.find('\t')),
            "안녕하세요 감사함니다 고맙씀니다");
  EXPECT_NE(standard.out, RunCli(WithData({text})).out);
}

TEST(CliFormat, TextHasThreeLabelledLines) {
  const CliResult r =
      RunCli(WithData({"--answers", "no", "--format", "text", "가"}));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("読みﾊﾝｸﾞﾙ：가\n発音記号：", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\n発音カナ："), std::string::npos);
}

}  // namespace
}  // namespace pimoru
