#include "hangul/rules.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "hangul/jamo.h"
#include "support/plain_run.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

// A small chain where later rules see earlier replacements, one rule whose
// pattern is absent at the start but created by an earlier rule, and rules
// of one letter and of letters outside the jamo block.
constexpr Rule kChain[] = {
    {{fin::kGiyeok, ini::kIeung}, {ini::kGiyeok}},  // 먹어 → 머거
    {{ini::kGiyeok, med::kEo},
     {ini::kKieuk, med::kEo}},  // 거 → 커 (made above)
    {{u'x'}, {u'y'}},
    {{fin::kHieut, ini::kGiyeok}, {ini::kKieuk}},
    {{u'y', u'가'}, {u'z'}},  // made by the x → y rule
    {{u'가', u'나'}, {}},
};

TEST(ApplyRules, SameResultAsRunningEveryRule) {
  const RuleTable index(kChain);
  for (std::u16string_view input :
       {u"먹어", u"먹어 좋고", u"x", u"", u"abc", u"먹어x", u"\uFFFF먹어",
        u"x가나", u"x가 가나다"}) {
    SCOPED_TRACE(U8(input));
    std::u16string fast = DecomposeText(input);
    std::u16string plain = fast;
    JamoText jamo(fast);
    const bool plain_changed = ApplyRulesPlainly(plain, kChain);
    EXPECT_EQ(ApplyRules(fast, index), plain_changed);
    EXPECT_EQ(fast, plain);
    EXPECT_EQ(ApplyRules(jamo, index), plain_changed);
    EXPECT_EQ(jamo.str(), plain);
  }
  std::u16string text = DecomposeText(u"먹어");
  EXPECT_TRUE(ApplyRules(text, index));
  EXPECT_EQ(ComposeText(text), u"머커");
  text = u"x가";  // not decomposed: the syllable stays whole
  EXPECT_TRUE(ApplyRules(text, index));
  EXPECT_EQ(text, u"z");
}

// `summary` tells of every letter and pair of `text`.
void ExpectSummaryOf(const LetterSummary& summary, std::u16string_view text) {
  SCOPED_TRACE("the summary");
  for (std::size_t i = 0; i < text.size(); ++i) {
    EXPECT_TRUE(summary.Has(LetterSummary::KeyBit(text.substr(i, 1)))) << i;
    if (i + 1 < text.size()) {
      EXPECT_TRUE(summary.Has(LetterSummary::KeyBit(text.substr(i, 2)))) << i;
    }
  }
}

TEST(ApplyRules, IndexedTableGivesThePlainResult) {
  std::mt19937 random(9);
  // Up to 150 rules: tables of more than one word of marks.
  for (int round = 0; round < 600; ++round) {
    std::vector<Rule> rules(1 + round % 150);
    for (Rule& rule : rules) {
      const std::u16string pattern = RandomText(random, 3);
      const std::u16string replacement = RandomText(random, 3);
      pattern.copy(rule.pattern, pattern.size());
      replacement.copy(rule.replacement, replacement.size());
    }
    const RuleTable index(rules);
    const std::u16string input = RandomText(random, 40);
    SCOPED_TRACE(U8(input));
    std::u16string plain = input;
    const bool plain_changed = ApplyRulesPlainly(plain, rules);
    std::u16string fast = input;
    EXPECT_EQ(ApplyRules(fast, index), plain_changed);
    EXPECT_EQ(fast, plain);
    // Through the working text, whose summary passes over a table only
    // when none of its patterns occurs, and goes on telling of the text.
    JamoText summarised(input);
    summarised.Summary();  // made now, and from here on kept in step
    EXPECT_EQ(ApplyRules(summarised, index), plain_changed);
    EXPECT_EQ(summarised.str(), plain);
    ExpectSummaryOf(summarised.Summary(), summarised.view());
    // The reference run, which the stages are held to, is itself the plain
    // one.
    JamoText every(input);
    EXPECT_EQ(ApplyRules(every, index, Search::kEveryPattern), plain_changed);
    EXPECT_EQ(every.str(), plain);
  }
}

TEST(RuleTable, ManyLettersShareAClassWithoutLosingRules) {
  // 300 one-letter rules over distinct ASCII and jamo letters: more letters
  // than classes.
  std::vector<Rule> rules;
  for (char16_t c = 0x21; c < 0x7F; ++c) rules.push_back({{c}, {u'#'}});
  for (char16_t c = 0x1100; c < 0x11FF && rules.size() < 300; ++c) {
    rules.push_back({{c, c}, {u'#'}});
  }
  const RuleTable index(rules);
  for (const Rule& rule : rules) {
    std::u16string text = u" " + std::u16string(rule.Pattern()) + u" ";
    SCOPED_TRACE(U8(text));
    EXPECT_TRUE(ApplyRules(text, index));
    EXPECT_EQ(text, u" # ");
  }
}

}  // namespace
}  // namespace pimoru
