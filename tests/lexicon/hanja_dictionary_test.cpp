#include "lexicon/hanja_dictionary.h"

#include <gtest/gtest.h>

#include <string>

namespace pimoru {
namespace {

// A dictionary file in small: comments, homographs, an entry that mixes
// Hangul with hanja, a hanja beyond the first plane, and lines to pass over.
constexpr std::string_view kFixture =
    "# comment: 무시:無視:\n"
    "목록:目錄:\n"
    "일본:日本:일본\n"
    "일본:一本:\n"
    "담요:毯요:\n"
    "경:\xF0\xA0\x97\x8A:\n"
    "자:者:놈 자\n"
    "식별:識別:\n"
    "식별자:識別者:\n"
    "ㄱ자집:ㄱ字집:\n"
    "폴더:폴더:\n"
    "구천:龜川洞:지명\n"
    "no colon at all\n"
    "경로:經路:길";

TEST(HanjaDictionary, KeepsTheEntriesWithHanjaInFileOrder) {
  const HanjaDictionary d = HanjaDictionary::FromText(kFixture);
  // 목록 일본×2 담요 경 자 식별 식별자 경로; not the jamo, all-Hangul,
  // misaligned or malformed lines.
  EXPECT_EQ(d.size(), 9u);
  const std::vector<HanjaEntry> japan = d.Entries(u"일본");
  ASSERT_EQ(japan.size(), 2u);
  EXPECT_EQ(japan[0].hanja, u"日本");
  EXPECT_EQ(japan[1].hanja, u"一本");
  EXPECT_TRUE(d.Entries(u"폴더").empty());
  EXPECT_TRUE(d.Entries(u"구천").empty());
  EXPECT_EQ(d.HanjaWord(u"경로")->hanja, u"經路");  // last line, no newline
}

TEST(HanjaDictionary, MarksWhichSyllablesAreHanja) {
  const HanjaDictionary d = HanjaDictionary::FromText(kFixture);
  const std::vector<HanjaEntry> blanket = d.Entries(u"담요");
  ASSERT_EQ(blanket.size(), 1u);
  EXPECT_EQ(blanket[0].hanja_syllables, 0b01u);
  EXPECT_FALSE(blanket[0].AllHanja());
  EXPECT_FALSE(d.HanjaWord(u"담요"));
  // A hanja written with a surrogate pair is one syllable.
  ASSERT_TRUE(d.HanjaWord(u"경"));
  EXPECT_EQ(d.HanjaWord(u"경")->hanja, u"\U000205CA");
}

TEST(HanjaDictionary, FindsTheLongestWordAtTheStartOfAText) {
  const HanjaDictionary d = HanjaDictionary::FromText(kFixture);
  EXPECT_EQ(d.LongestHanjaWord(u"목록을"), 2u);
  EXPECT_EQ(d.LongestHanjaWord(u"식별자를"), 3u);
  EXPECT_EQ(d.LongestHanjaWord(u"식별하다"), 2u);
  EXPECT_EQ(d.LongestHanjaWord(u"자동"), 1u);
  EXPECT_EQ(d.LongestHanjaWord(u"담요"), 0u);  // only partly hanja
  EXPECT_EQ(d.LongestHanjaWord(u"폴더"), 0u);
  EXPECT_EQ(d.LongestHanjaWord(u""), 0u);
  EXPECT_TRUE(d.HasHanja(u'자'));
  EXPECT_FALSE(d.HasHanja(u'폴'));
}

TEST(HanjaDictionary, AMissingFileIsNoDictionary) {
  EXPECT_FALSE(HanjaDictionary::FromFile("/nonexistent/hanja.txt"));
}

}  // namespace
}  // namespace pimoru
