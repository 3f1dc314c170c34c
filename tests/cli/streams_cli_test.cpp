// The standard streams as a hostile but ordinary world leaves them: an
// output that cannot be written, an input that cannot be read, a byte-order
// mark. Nothing may be lost or cut off silently.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

// Far more than the program reads ahead before it writes.
std::string ManyLines() {
  std::string input;
  while (input.size() < (8 << 20))
    input += "국물이 너무 짜서 물을 더 넣었어요.\n";
  return input;
}

// Any failed write of standard output is said once, ends the reading of the
// input and the run, with status 1: a script never takes a cut-off output
// for a whole one.
TEST(CliStreams, FailedWritesOfStandardOutputEndTheRunWithStatusOne) {
  const std::string many = ManyLines();
  struct Case {
    const char* name;
    std::string line;  // "$@" runs the program
    std::vector<std::string> args;
    const std::string& input;
  } const cases[] = {
      {"full disk, an argument", "\"$@\" >/dev/full", {"국물"}, ""},
      {"full disk, a batch", "\"$@\" >/dev/full", {}, many},
      {"full disk, --help", "\"$@\" >/dev/full", {"--help"}, ""},
      {"closed, an argument", "\"$@\" >&-", {"국물"}, ""},
      {"closed, a batch", "\"$@\" >&-", {}, many},
      // With SIGPIPE ignored, a pipe closed early is a failed write too.
      {"pipe closed early",
       "trap '' PIPE; { \"$@\"; echo \"status $?\" >&2; } | head -n 1",
       {},
       many},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> args = {"--answers", "no"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliResult r = RunCliInShell(c.line, WithData(args), c.input);
    EXPECT_EQ(CountOf(r.err, "pimoru-cli: standard output: "), 1u) << r.err;
    if (c.line.find("head") != std::string::npos) {
      EXPECT_EQ(CountOf(r.err, "status 1\n"), 1u) << r.err;
      EXPECT_EQ(r.out.rfind("궁무리 너무 짜서", 0), 0u) << r.out;
      EXPECT_EQ(CountOf(r.out, "\n"), 1u);
    } else {
      EXPECT_EQ(r.status, 1);
    }
    // The input was not read on to its end.
    if (!c.input.empty()) {
      EXPECT_LT(r.input_taken, c.input.size());
    }
  }
}

// A standard input that cannot be read is an error with status 1, not the
// end of the input.
TEST(CliStreams, UnreadableStandardInputIsAnError) {
  for (const std::string line : {"\"$@\" </", "\"$@\" <&-"}) {
    SCOPED_TRACE(line);
    const CliResult r = RunCliInShell(line, WithData({"--answers", "no"}));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(CountOf(r.err, "pimoru-cli: standard input: "), 1u) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

// A read that fails after some lines: those lines are converted and
// written, then the error is said.
TEST(CliStreams, AReadErrorKeepsWhatWasConvertedBeforeIt) {
  // A pseudo-terminal whose other side has written a line and closed: a
  // read gives the line, then fails.
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(grantpt(master), 0);
  ASSERT_EQ(unlockpt(master), 0);
  const int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
  ASSERT_GE(slave, 0);
  const std::string line = "국물\n";
  ASSERT_EQ(write(slave, line.data(), line.size()),
            static_cast<ssize_t>(line.size()));
  close(slave);
  const CliResult r = RunCliReading(master, WithData({"--answers", "no"}));
  close(master);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "궁물\tkuŋ mul\tクンムル\n");
  EXPECT_EQ(CountOf(r.err, "pimoru-cli: standard input: "), 1u) << r.err;
}

TEST(CliStreams, ByteOrderMarkAtTheStartOfStandardInputIsSkipped) {
  const std::vector<std::string> json = {"--answers", "no", "--format", "json"};
  const CliResult r = RunCli(WithData(json), "\xEF\xBB\xBF의사\n의사\n");
  EXPECT_EQ(r.status, 0) << r.err;
  std::vector<std::string> twice = json;
  twice.insert(twice.end(), {"의사", "의사"});
  const CliResult plain = RunCli(WithData(twice));
  EXPECT_EQ(r.out, plain.out);
  // 의 begins the word: read 의, not 에 as inside one.
  EXPECT_EQ(CountOf(plain.out, "{\"input\":\"의사\",\"reading\":\"의사\""), 2u);
}

}  // namespace
}  // namespace pimoru
