#include "hangul/utf.h"

#include <gtest/gtest.h>

namespace pimoru {
namespace {

TEST(Utf8ToUtf16, DecodesWellFormedText) {
  EXPECT_EQ(Utf8ToUtf16("a가ㄱ"), u"a가ㄱ");
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), u"\U0001F600");
  EXPECT_EQ(Utf8ToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(Utf8ToUtf16, RejectsIllFormedSequences) {
  for (std::string_view bad :
       {"\xFF", "\xC0\x80", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80",
        "\xEA\xB0", "\x80", "a\xC3"}) {
    SCOPED_TRACE(testing::PrintToString(std::string(bad)));
    EXPECT_EQ(Utf8ToUtf16(bad), std::nullopt);
  }
  EXPECT_EQ(Utf8ToUtf16Lossy("a\xFF"
                             "b"),
            u"a\uFFFDb");
}

TEST(Utf16ToUtf8, PairsAndLoneSurrogates) {
  EXPECT_EQ(Utf16ToUtf8(u"a가"), "a가");
  EXPECT_EQ(Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xDC00') + u"a"),
            "\xEF\xBF\xBD"
            "a");
}

}  // namespace
}  // namespace pimoru
