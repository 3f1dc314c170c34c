#include "hangul/utf.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

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

TEST(WriteUtf8, SeparatorsAsSpacesOnlyWhenAsked) {
  const std::u16string text = u"a\tb\nc\rd 가";
  std::string room(text.size() * kMaxUtf8PerUnit, '\0');
  char* end = WriteUtf8(text, room.data(), Separators::kAsSpaces);
  EXPECT_EQ(std::string(room.data(), end), "a b c d 가");
  end = WriteUtf8(text, room.data());
  EXPECT_EQ(std::string(room.data(), end), "a\tb\nc\rd 가");
}

// The codecs take short cuts for ASCII and three-byte characters and work
// a block at a time. Here they are held to a plain decoder and encoder, one
// code point at a time, on every sequence of up to three bytes that starts
// with a lead byte, on four-byte sequences, and on long random texts.

// Decodes one sequence at a time; nullopt (strict) at the first ill-formed
// one, or one U+FFFD per bad byte (lossy).
std::optional<std::u16string> PlainDecode(std::string_view bytes, bool lossy) {
  std::u16string out;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    int length = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if (b0 < 0x80) {
      length = 1, cp = b0;
    } else if (b0 >= 0xC0 && b0 < 0xE0) {
      length = 2, cp = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 < 0xF0) {
      length = 3, cp = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 < 0xF8) {
      length = 4, cp = b0 & 0x07, min = 0x10000;
    }
    bool ok = length > 0 && i + length <= bytes.size();
    for (int k = 1; ok && k < length; ++k) {
      const auto b = static_cast<unsigned char>(bytes[i + k]);
      ok = b >= 0x80 && b < 0xC0;
      cp = cp << 6 | (b & 0x3F);
    }
    ok = ok && cp >= min && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
    if (!ok) {
      if (!lossy) return std::nullopt;
      out += u'\uFFFD';
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
    i += length;
  }
  return out;
}

std::string PlainEncode(std::u16string_view text) {
  std::string out;
  auto put = [&out](char32_t cp) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | cp >> 6);
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | cp >> 12);
      out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | cp >> 18);
      out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      put(0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      put(0xFFFD);
    } else {
      put(c);
    }
  }
  return out;
}

// Returns false (after reporting) on the first difference.
bool DecodesAsPlain(const std::string& bytes) {
  const std::optional<std::u16string> strict = Utf8ToUtf16(bytes);
  std::u16string reused = u"left over";
  const bool into_ok = Utf8ToUtf16(bytes, reused);
  const std::optional<std::u16string> plain = PlainDecode(bytes, false);
  const std::u16string lossy = Utf8ToUtf16Lossy(bytes);
  const bool same = strict == plain && into_ok == plain.has_value() &&
                    (!plain || reused == *plain) &&
                    lossy == *PlainDecode(bytes, true);
  if (!same) ADD_FAILURE() << "bytes " << testing::PrintToString(bytes);
  return same;
}

bool EncodesAsPlain(const std::u16string& text) {
  std::string appended = "x";
  AppendUtf8(text, appended);
  const std::string plain = PlainEncode(text);
  const bool same = Utf16ToUtf8(text) == plain && appended == "x" + plain;
  if (!same) {
    ADD_FAILURE() << "units "
                  << testing::PrintToString(
                         std::vector<int>(text.begin(), text.end()));
  }
  return same;
}

TEST(Utf8ToUtf16, EveryShortSequenceAsPlain) {
  for (int b0 = 0; b0 < 0x100; ++b0) {
    ASSERT_TRUE(DecodesAsPlain(std::string(1, static_cast<char>(b0))));
    for (int b1 = 0; b1 < 0x100; ++b1) {
      const std::string two = {static_cast<char>(b0), static_cast<char>(b1)};
      ASSERT_TRUE(DecodesAsPlain(two));
      if (b0 < 0xE0 || b0 >= 0xF0) continue;
      for (int b2 = 0; b2 < 0x100; ++b2) {
        ASSERT_TRUE(DecodesAsPlain(two + static_cast<char>(b2)));
      }
    }
  }
  // Four bytes: every lead byte from F0 with continuation bytes at the
  // edges of their range and just outside it.
  const int edges[] = {0x00, 0x7F, 0x80, 0x8F, 0x90, 0xBF, 0xC0, 0xFF};
  for (int b0 = 0xF0; b0 < 0x100; ++b0) {
    for (const int b1 : edges) {
      for (const int b2 : edges) {
        for (const int b3 : edges) {
          ASSERT_TRUE(
              DecodesAsPlain({static_cast<char>(b0), static_cast<char>(b1),
                              static_cast<char>(b2), static_cast<char>(b3)}));
        }
      }
    }
  }
}

TEST(Utf8ToUtf16, RandomTextsAsPlain) {
  // Well-formed text of every length class with a bad byte now and then,
  // some far longer than the decoder's block.
  const std::vector<std::string> pieces = {"a",
                                           " ",
                                           "\t",
                                           std::string(1, '\0'),
                                           "é",
                                           "가",
                                           "힣",
                                           "ッ",
                                           "ㄱ",
                                           "\xF0\x9F\x98\x80",
                                           "\xFF",
                                           "\x80",
                                           "\xC0\x80",
                                           "\xED\xA0\x80",
                                           "\xE0",
                                           "\xEA\xB0",
                                           "\xF4\x90\x80\x80"};
  std::mt19937 random(4242);
  for (int k = 0; k < 3000; ++k) {
    std::string bytes;
    const int size = k % 100 == 0 ? 600 + static_cast<int>(random() % 3000)
                                  : static_cast<int>(random() % 40);
    // Mostly well-formed, so that the strict decoder gets far.
    for (int i = 0; i < size; ++i) {
      const std::size_t pick = random() % (k % 2 == 0 ? 10 : pieces.size());
      bytes += pieces[pick];
    }
    ASSERT_TRUE(DecodesAsPlain(bytes));
  }
}

TEST(Utf16ToUtf8, EveryUnitAndPairAsPlain) {
  for (char32_t c = 0; c < 0x10000; ++c) {
    const auto unit = static_cast<char16_t>(c);
    ASSERT_TRUE(EncodesAsPlain(std::u16string(1, unit)));
    ASSERT_TRUE(EncodesAsPlain(std::u16string{unit, u'a'}));
    ASSERT_TRUE(EncodesAsPlain(std::u16string{u'\xD83D', unit}));
  }
  std::mt19937 random(99);
  const std::u16string pool = u"a \t\né가ッʃ\xD800\xDBFF\xDC00\xDFFF\xFFFF";
  for (int k = 0; k < 3000; ++k) {
    std::u16string text;
    const int size = static_cast<int>(random() % 60);
    for (int i = 0; i < size; ++i) text += pool[random() % pool.size()];
    ASSERT_TRUE(EncodesAsPlain(text));
  }
}

}  // namespace
}  // namespace pimoru
