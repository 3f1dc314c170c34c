// The pattern index may only ever leave out patterns that cannot occur.
#include "hangul/word_index.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "hangul/jamo.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

TEST(PatternCandidates, EveryPatternThatOccursIsACandidate) {
  std::mt19937 random(8);
  for (int round = 0; round < 200; ++round) {
    std::vector<std::u16string> patterns;
    for (int p = 0; p < 40; ++p) patterns.push_back(RandomText(random, 4));
    const std::vector<std::u16string_view> views(patterns.begin(),
                                                 patterns.end());
    const PatternIndex index(views);
    const std::u16string text = RandomText(random, 30);
    SCOPED_TRACE(U8(text));
    std::vector<bool> candidate(patterns.size(), false);
    PatternCandidates candidates(index, text);
    std::size_t previous = 0;
    bool first = true;
    for (std::size_t k = candidates.Next(); k < index.size();
         k = candidates.Next()) {
      if (!first) {
        EXPECT_GT(k, previous);  // in table order, once each
      }
      first = false;
      previous = k;
      candidate[k] = true;
    }
    for (std::size_t p = 0; p < patterns.size(); ++p) {
      const bool occurs =
          patterns[p].empty() || text.find(patterns[p]) != std::u16string::npos;
      if (occurs) {
        EXPECT_TRUE(candidate[p]) << U8(patterns[p]);
      }
    }
  }
}

}  // namespace
}  // namespace pimoru
