// The outputs of the bench corpus as the command line gave them before it
// could read numbers (tests/data/bench_golden.*): options that were always
// there must go on giving them byte for byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

struct GoldenCase {
  const char* file;  // in tests/data
  std::vector<std::string> options;
};

const GoldenCase kGoldenCases[] = {
    {"bench_golden.tsv", {"--answers", "no"}},
    {"bench_golden.json",
     {"--format", "json", "--answers", "yes", "--n-insert", "--phrase"}},
    {"bench_golden_trace.tsv", {"--stage-trace", "--answers", "no"}},
};

TEST(GoldenCli, BenchCorpusGivesTheStoredOutputs) {
  const std::string corpus = ReadFileBytes(PIMORU_SENTENCES_FILE);
  ASSERT_FALSE(corpus.empty());
  for (const GoldenCase& c : kGoldenCases) {
    SCOPED_TRACE(c.file);
    const std::string golden =
        ReadFileBytes(std::string(PIMORU_TEST_DATA_DIR) + "/" + c.file);
    ASSERT_FALSE(golden.empty());
    const CliResult r = RunCli(WithData(c.options), corpus);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    // Not EXPECT_EQ: a mismatch would print both outputs whole.
    EXPECT_TRUE(r.out == golden) << "the output differs from " << c.file;
  }
}

}  // namespace
}  // namespace pimoru
