// The window's report links each syllable of its table to its sound.
#include <gtest/gtest.h>

#include <string>

#include "pipeline/stage_record.h"
#include "render/syllables.h"
#include "report/work_report.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

TEST(SyllableLinks, EachSyllableLinksToItsOwnSoundOnlyWhenAsked) {
  const std::vector<SyllableSounds> syllables =
      SoundsBySyllable(u"궁물", Notation::kGlottalStopBefore);
  ASSERT_EQ(syllables.size(), 2u);
  const std::string linked = U8(WorkReportPage(
      u"궁물", StageRecord{}, u"", "/h", syllables, SyllableLinks::kSpeak));
  // 궁 is EA B6 81 in UTF-8, 물 EB AC BC.
  EXPECT_NE(linked.find("<td class=\"ko2\"><a href=\"speak:%EA%B6%81\">"
                        "&#xAD81; &#x25B6;</a></td>"),
            std::string::npos)
      << linked;
  EXPECT_NE(linked.find("<a href=\"speak:%EB%AC%BC\">&#xBB3C; &#x25B6;</a>"),
            std::string::npos);
  EXPECT_EQ(CountOf(linked, "speak:"), 2u);

  const std::string plain =
      U8(WorkReportPage(u"궁물", StageRecord{}, u"", "/h", syllables));
  EXPECT_EQ(plain.find("speak:"), std::string::npos);
  EXPECT_NE(plain.find("<td class=\"ko2\">&#xAD81;</td>"), std::string::npos);
}

}  // namespace
}  // namespace pimoru
