// A number word joined to its counter, seen through the command line.
#include <gtest/gtest.h>

#include <string>

#include "cli/cli_runner.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

TEST(CliSpacing, JoinIsTracedAndGoneFromTheReading) {
  TempFolder data;
  data.WriteUtf16("kdat/co_suff.txt", u"0,개,x,y\r\n");
  const CliResult r = RunCli({"--data", data.path().string(), "--answers", "no",
                              "--stage-trace", "사과 한 개"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\n2\t分かち書き調整\t사과 한$개\n"), std::string::npos)
      << r.out;
  // The last line is the result; its first field is the reading.
  const std::string last =
      r.out.substr(r.out.rfind('\n', r.out.size() - 2) + 1);
  EXPECT_EQ(last.substr(0, last.find('\t')), "사과 한개") << r.out;
}

TEST(CliSpacing, TypedDollarSignStays) {
  const CliResult r = RunCli(WithData({"--answers", "no", "US$5", "$ 한 개"}));
  EXPECT_EQ(r.status, 0) << r.err;
  // The typed "$" stays beside the join that stage 2 makes and removes.
  EXPECT_EQ(r.out, "US$5\tUS$5\tUS$5\n$ 한개\t$  han ɡɛ\t$   ハンゲ\n");
}

}  // namespace
}  // namespace pimoru
