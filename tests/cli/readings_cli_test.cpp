// The readings of ordinary text end to end through pimoru-cli, with a data
// folder that holds no word lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

// The reading column of each tsv output line.
std::vector<std::string> Readings(const std::string& out) {
  std::vector<std::string> readings;
  std::size_t start = 0;
  while (start < out.size()) {
    std::size_t end = out.find('\n', start);
    if (end == std::string::npos) end = out.size();
    const std::string line = out.substr(start, end - start);
    readings.push_back(line.substr(0, line.find('\t')));
    start = end + 1;
  }
  return readings;
}

class ReadingsCli : public ::testing::Test {
 protected:
  CliResult Convert(std::vector<std::string> args,
                    const std::string& answers = "no") {
    args.insert(args.begin(),
                {"--data", empty_data_.path().string(), "--answers", answers});
    return RunCli(args);
  }

  TempFolder empty_data_;
};

TEST_F(ReadingsCli, OrdinaryTextAnsweringNo) {
  const CliResult r =
      Convert({"먹었어요", "국물", "같이", "좋고", "신라", "값 없이", "학교"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Readings(r.out),
            (std::vector<std::string>{"머거써요", "궁물", "가치", "조코",
                                      "실라", "가법씨", "하꾜"}));
}

TEST_F(ReadingsCli, PhraseReadsAcrossTheSpacesBetweenWordsOnlyWhenAsked) {
  const std::vector<std::string> inputs = {"밭 아래", "옷 한 벌", "밥, 먹는다"};
  std::vector<std::string> args = {"--phrase"};
  args.insert(args.end(), inputs.begin(), inputs.end());
  const CliResult phrase = Convert(args);
  ASSERT_EQ(phrase.status, 0) << phrase.err;
  EXPECT_EQ(Readings(phrase.out),
            (std::vector<std::string>{"바다래", "오탄 벌", "밥, 멍는다"}));
  const CliResult words = Convert(inputs);
  ASSERT_EQ(words.status, 0) << words.err;
  EXPECT_EQ(Readings(words.out),
            (std::vector<std::string>{"받 아래", "옫 한 벌", "밥, 멍는다"}));
}

TEST_F(ReadingsCli, HieutAndFormalEndingOptions) {
  struct Case {
    std::vector<std::string> options;
    std::string reading;
  } const cases[] = {
      {{"--no-h-strong"}, "감사한미다"},
      {{"--no-h-strong", "--no-real-endings"}, "감사함니다"},
      {{}, "감사안미다"},
      {{"--h-strong", "--real-endings"}, "감사안미다"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.options;
    args.push_back("감사합니다");
    SCOPED_TRACE(c.reading);
    const CliResult r = Convert(args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Readings(r.out), std::vector<std::string>{c.reading});
  }
}

TEST_F(ReadingsCli, NInsertionAnsweredYes) {
  const CliResult yes = Convert({"--n-insert", "물약"}, "yes");
  ASSERT_EQ(yes.status, 0) << yes.err;
  EXPECT_EQ(Readings(yes.out), std::vector<std::string>{"물략"});
  const CliResult no = Convert({"--n-insert", "물약"}, "no");
  ASSERT_EQ(no.status, 0) << no.err;
  EXPECT_EQ(Readings(no.out), std::vector<std::string>{"무략"});
}

TEST_F(ReadingsCli, LinesFromStandardInput) {
  const CliResult r =
      RunCli({"--data", empty_data_.path().string(), "--answers", "no"},
             "국물\n같이\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Readings(r.out), (std::vector<std::string>{"궁물", "가치"}));
}

}  // namespace
}  // namespace pimoru
