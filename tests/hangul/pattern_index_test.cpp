// The pattern index may only ever leave out patterns that cannot occur, and
// marks exactly those that stand in the text.
#include "hangul/pattern_index.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "hangul/candidates.h"
#include "hangul/dense_form.h"
#include "hangul/hashed_form.h"
#include "hangul/jamo.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

// The candidates in the order they are visited.
std::vector<std::size_t> Visited(Candidates& candidates, std::size_t size) {
  std::vector<std::size_t> visited;
  for (std::size_t k = candidates.Next(); k < size; k = candidates.Next()) {
    visited.push_back(k);
  }
  return visited;
}

// The patterns that stand in `text`, the empty ones among them.
std::vector<std::size_t> Standing(const std::vector<std::u16string>& patterns,
                                  std::u16string_view text) {
  std::vector<std::size_t> standing;
  for (std::size_t p = 0; p < patterns.size(); ++p) {
    if (patterns[p].empty() || text.find(patterns[p]) != text.npos) {
      standing.push_back(p);
    }
  }
  return standing;
}

TEST(Candidates, ExactlyThePatternsThatStandInTableOrder) {
  std::mt19937 random(8);
  // Small tables take the dense form, those with syllables beyond the jamo
  // block and many letters the hashed one: both over texts of jamo, ASCII
  // and syllables.
  // The last rounds have tables of thousands of patterns, indexed as a long
  // word list is.
  for (int round = 0; round < 404; ++round) {
    std::vector<std::u16string> patterns;
    const int size = round < 400 ? 1 + round % 90 : 3000 * (round - 398);
    for (int p = 0; p < size; ++p) {
      patterns.push_back(RandomText(random, 4));
    }
    if (round % 3 == 0) patterns.push_back(u"\uAC00\uD7A3\u4E00");
    const std::vector<std::u16string_view> views(patterns.begin(),
                                                 patterns.end());
    const PatternIndex index(views);
    const std::u16string text = RandomText(random, 30);
    SCOPED_TRACE(U8(text));
    Candidates candidates(index, text);
    EXPECT_EQ(Visited(candidates, index.size()), Standing(patterns, text));
  }
}

TEST(IndexForm, BothFormsMarkExactlyThePatternsThatStand) {
  // Tables of jamo and ASCII, which either form can index: the same marks.
  constexpr std::u16string_view kLetters = u"ab \u1100\u1161\u11A8\u11AB";
  std::mt19937 random(5);
  std::uniform_int_distribution<std::size_t> letter(0, kLetters.size() - 1);
  const auto random_text = [&](std::size_t length) {
    std::u16string text;
    while (text.size() < length) text += kLetters[letter(random)];
    return text;
  };
  for (int round = 0; round < 300; ++round) {
    std::vector<std::u16string> patterns;
    for (int p = 0; p < 1 + round % 60; ++p) {
      patterns.push_back(random_text(1 + p % 4));
    }
    const FiledPatterns filed(
        std::vector<std::u16string_view>(patterns.begin(), patterns.end()));
    const std::unique_ptr<const DenseForm> dense = DenseForm::Of(filed);
    ASSERT_NE(dense, nullptr);
    const HashedForm hashed(filed);
    const std::u16string text = random_text(30);
    SCOPED_TRACE(U8(text));
    for (const IndexForm* form : {static_cast<const IndexForm*>(dense.get()),
                                  static_cast<const IndexForm*>(&hashed)}) {
      SmallBitSet marks(filed.size());
      form->MarkStanding(filed, text, 0, text.size(), marks);
      std::vector<std::size_t> marked;
      for (std::size_t p = marks.NextSet(0); p < marks.size();
           p = marks.NextSet(p + 1)) {
        marked.push_back(p);
      }
      EXPECT_EQ(marked, Standing(patterns, text));
    }
  }
}

TEST(Candidates, ARewriteBringsInThePatternsItFormed) {
  // "ab" stands only once "xb" has been rewritten, its key pair "ab" made
  // by the rewrite; "cab" also needs the letter before the stretch.
  const std::vector<std::u16string> patterns = {u"xb", u"ab", u"cab", u"zz"};
  const std::vector<std::u16string_view> views(patterns.begin(),
                                               patterns.end());
  const PatternIndex index(views);
  std::u16string text = u"cxb";
  Candidates candidates(index, text);
  EXPECT_EQ(candidates.Next(), 0u);
  text = u"cab";  // "x" became "a" at place 1
  const std::size_t written_at[] = {1};
  candidates.Rewritten(text, written_at, 1);
  EXPECT_EQ(Visited(candidates, index.size()),
            (std::vector<std::size_t>{1, 2}));
}

TEST(Candidates, TheSummaryOfAJamoTextGivesASupersetAndTheReferenceAll) {
  std::mt19937 random(3);
  for (int round = 0; round < 200; ++round) {
    std::vector<std::u16string> patterns;
    for (int p = 0; p < 12; ++p) patterns.push_back(RandomText(random, 3));
    const std::vector<std::u16string_view> views(patterns.begin(),
                                                 patterns.end());
    const PatternIndex index(views);
    JamoText text(RandomText(random, 30));
    SCOPED_TRACE(U8(text.view()));
    Candidates summarised(index, text);
    const std::vector<std::size_t> visited = Visited(summarised, index.size());
    for (const std::size_t p : Standing(patterns, text.view())) {
      EXPECT_NE(std::find(visited.begin(), visited.end(), p), visited.end())
          << U8(patterns[p]);
    }
    Candidates every(index, text, Search::kEveryPattern);
    Candidates every_of_view(index, text.view(), Search::kEveryPattern);
    EXPECT_EQ(Visited(every, index.size()).size(), patterns.size());
    EXPECT_EQ(Visited(every_of_view, index.size()).size(), patterns.size());
  }
}

}  // namespace
}  // namespace pimoru
