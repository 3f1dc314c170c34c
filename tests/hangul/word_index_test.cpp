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

// Texts and patterns over a small alphabet, so that patterns occur often,
// overlap and are formed by earlier replacements.
std::u16string RandomText(std::mt19937& random, std::size_t max_length) {
  constexpr std::u16string_view kAlphabet = u"ab가나 \u11A8\u1100";
  std::uniform_int_distribution<std::size_t> length(0, max_length);
  std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
  std::u16string text;
  for (std::size_t n = length(random); n > 0; --n) {
    text += kAlphabet[pick(random)];
  }
  return text;
}

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
