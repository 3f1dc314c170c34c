#include "hangul/rules.h"

#include <gtest/gtest.h>

#include "hangul/jamo.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

// A small chain where later rules see earlier replacements, and one rule
// whose pattern is absent at the start but created by an earlier rule.
constexpr Rule kChain[] = {
    {{fin::kGiyeok, ini::kIeung}, {ini::kGiyeok}},  // 먹어 → 머거
    {{ini::kGiyeok, med::kEo},
     {ini::kKieuk, med::kEo}},  // 거 → 커 (made above)
    {{u'x'}, {u'y'}},
    {{fin::kHieut, ini::kGiyeok}, {ini::kKieuk}},
};

TEST(ApplyRules, SameResultAsRunningEveryRule) {
  for (std::u16string_view input :
       {u"먹어", u"먹어 좋고", u"x", u"", u"abc", u"먹어x", u"\uFFFF먹어"}) {
    SCOPED_TRACE(U8(input));
    std::u16string fast = DecomposeText(input);
    std::u16string plain = fast;
    EXPECT_EQ(ApplyRules(fast, kChain), ApplyRulesPlainly(plain, kChain));
    EXPECT_EQ(fast, plain);
  }
  std::u16string text = DecomposeText(u"먹어");
  EXPECT_TRUE(ApplyRules(text, kChain));
  EXPECT_EQ(ComposeText(text), u"머커");
}

TEST(CharPresence, ExactForJamoAndAsciiMaybeForTheRest) {
  CharPresence present(u"a\u1100");
  EXPECT_TRUE(present.MayContainAll(u"a\u1100"));
  EXPECT_FALSE(present.MayContainAll(u"b"));
  EXPECT_FALSE(present.MayContainAll(u"\u1101"));
  EXPECT_TRUE(present.MayContainAll(u"가"));  // not tracked
  present.Add(u"b");
  EXPECT_TRUE(present.MayContainAll(u"ab"));
}

}  // namespace
}  // namespace pimoru
