#include "hangul/word_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "hangul/jamo.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

TEST(SplitFields, CommasBlanksQuotesAndTrailingCommas) {
  struct Case {
    std::u16string line;
    std::vector<std::u16string> fields;
  } const cases[] = {
      {u"1,한,개", {u"1", u"한", u"개"}},
      {u"1 한 개", {u"1", u"한", u"개"}},
      {u"  1 ,\t한 , 개  ", {u"1", u"한", u"개"}},
      {u"a,,b", {u"a", u"", u"b"}},
      {u"a, ,b", {u"a", u"", u"b"}},
      {u"a,", {u"a", u""}},  // a comma that ends the line
      {u"a, ", {u"a"}},      // a comma followed by blanks only
      {u",", {u"", u""}},
      {u"", {}},
      {u" \t ", {}},
      {u"\"a, b\",c", {u"a, b", u"c"}},
      {u"\"say \"\"hi\"\"\"", {u"say \"hi\""}},
      {u"\"ab\"cd", {u"ab", u"cd"}},  // text after a closing quote: new field
      {u"\"open", {u"open"}},         // unterminated quote runs to the end
      {u"a\"b", {u"a\"b"}},           // a quote inside a field is a letter
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.line));
    EXPECT_EQ(SplitFields(c.line), c.fields);
  }
}

TEST(SplitLines, AllThreeBreaksAndNoTrailingEmptyLine) {
  using Lines = std::vector<std::u16string>;
  EXPECT_EQ(SplitLines(u"a\r\nb\nc\rd"), (Lines{u"a", u"b", u"c", u"d"}));
  EXPECT_EQ(SplitLines(u"a\n"), (Lines{u"a"}));
  EXPECT_EQ(SplitLines(u"a\n\nb"), (Lines{u"a", u"", u"b"}));
  EXPECT_EQ(SplitLines(u"a\r\r\nb"), (Lines{u"a", u"", u"b"}));
  EXPECT_EQ(SplitLines(u""), Lines{});
}

TEST(ParseInteger, DecimalWithOptionalMinus) {
  EXPECT_EQ(ParseInteger(u"0"), 0);
  EXPECT_EQ(ParseInteger(u"-12"), -12);
  EXPECT_EQ(ParseInteger(u"2147483647"), 2147483647);
  EXPECT_EQ(ParseInteger(u"-2147483648"), -2147483647 - 1);
  for (std::u16string_view bad :
       {u"", u"-", u"+1", u" 1", u"1a", u"１", u"2147483648", u"0x10"}) {
    SCOPED_TRACE(U8(bad));
    EXPECT_EQ(ParseInteger(bad), std::nullopt);
  }
}

TEST(DecodeWordListBytes, Utf16WithAndWithoutBomAndUtf8) {
  const std::u16string text = u"1,한,개\r\n";
  std::string utf16;
  for (char16_t c : text) {
    utf16 += static_cast<char>(c & 0xFF);
    utf16 += static_cast<char>(c >> 8);
  }
  EXPECT_EQ(DecodeWordListBytes("\xFF\xFE" + utf16), text);
  EXPECT_EQ(DecodeWordListBytes(utf16), text);
  EXPECT_EQ(DecodeWordListBytes("1,\xED\x95\x9C,\xEA\xB0\x9C\r\n"), text);
  EXPECT_EQ(DecodeWordListBytes("\xEF\xBB\xBF"
                                "1,\xED\x95\x9C,\xEA\xB0\x9C\r\n"),
            text);
  // U+0000 ends the text.
  EXPECT_EQ(DecodeWordListBytes(std::string("\xFF\xFE"
                                            "a\0\0\0b\0",
                                            8)),
            u"a");
}

TEST(BuildWordList, QualifyingLinesBecomeEntriesInOrder) {
  struct Case {
    WordListId id;
    std::u16string text;
    WordList entries;
  } const cases[] = {
      // At least four fields; five qualify too, fields 3.. unused.
      {WordListId::kCoSuff,
       u"0,개,x\n0,개,x,y\n\n1,달,x,y,z\n",
       {{0, u"개", u""}, {1, u"달", u""}}},
      // Exactly three fields; "#" stands for a space.
      {WordListId::kKSpecial,
       u"3,a#b,c#d\n3,a,b,c\n3,a,b,\n12,A,B",
       {{3, u"a b", u"c d"}, {12, u"A", u"B"}}},
      {WordListId::kWi3Var,
       u"회의\n강의 x\n",
       {{0, u"회의", u""}, {0, u"강의", u""}}},
      {WordListId::kKanBion,
       u"1,의견란,의견난\n의견란,의견난\n",
       {{0, u"의견란", u"의견난"}}},
      {WordListId::kSetsubi,
       u"문법,문뻡\n1,문법,문뻡\n",
       {{0, u"문법", u"문뻡"}}},
      // Field 2's first two syllables, the second tensed after ㄹ.
      {WordListId::kRiulPat,
       u"1,발달\n1,발전하다\n1,실시\n1,발군\n1,발\n",
       {{0, u"발달", u"발딸"},
        {0, u"발전", u"발쩐"},
        {0, u"실시", u"실씨"},
        {0, u"발군", u"발군"},
        {0, u"발", u"발"}}},
      {WordListId::kRiulFuture,
       u"0,x,할\n1,x,갈\n",
       {{0, DecomposeText(u"할"), u""}, {1, DecomposeText(u"갈"), u""}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(WordListFileName(c.id)));
    EXPECT_EQ(BuildWordList(c.id, c.text, "test"), c.entries);
  }
}

TEST(BuildWordList, BadNumberNamesFileLineAndField) {
  for (WordListId id :
       {WordListId::kCoSuff, WordListId::kKSpecial, WordListId::kRiulFuture}) {
    SCOPED_TRACE(std::string(WordListFileName(id)));
    try {
      BuildWordList(id, u"\n0,a,b,c\nx,a,b\nx,a,b,c\n", "dir/list.txt");
      FAIL() << "no error";
    } catch (const ConversionError& e) {
      const std::string message = e.what();
      EXPECT_NE(message.find("dir/list.txt"), std::string::npos) << message;
      EXPECT_NE(message.find(id == WordListId::kCoSuff ? " 4 " : " 3 "),
                std::string::npos)
          << message;
      EXPECT_NE(message.find("「x」"), std::string::npos) << message;
    }
  }
}

TEST(FolderWordLists, MissingFileIsNullAndFilesAreReadAfreshUnlessCached) {
  TempFolder folder;
  FolderWordLists fresh(folder.path(), /*cache=*/false);
  FolderWordLists cached(folder.path(), /*cache=*/true);
  EXPECT_EQ(fresh.Entries(WordListId::kSetsubi), nullptr);
  EXPECT_EQ(cached.Entries(WordListId::kSetsubi), nullptr);

  folder.WriteUtf16("setsubi.txt", u"문법,문뻡\r\n", /*bom=*/false);
  ASSERT_NE(fresh.Entries(WordListId::kSetsubi), nullptr);
  EXPECT_EQ(*fresh.Entries(WordListId::kSetsubi),
            (WordList{{0, u"문법", u"문뻡"}}));
  EXPECT_EQ(cached.Entries(WordListId::kSetsubi), nullptr);  // read once

  folder.WriteUtf16("setsubi.txt", u"길가,길까\r\n", /*bom=*/true);
  EXPECT_EQ(*fresh.Entries(WordListId::kSetsubi),
            (WordList{{0, u"길가", u"길까"}}));
}

TEST(FolderWordLists, UnreadableFileAndBadNumberEndTheConversion) {
  TempFolder folder;
  std::filesystem::create_directory(folder.path() / "co_suff.txt");
  folder.WriteUtf16("kspecial.txt", u"3,a,b\nthree,a,b\n");
  for (bool cache : {false, true}) {
    FolderWordLists lists(folder.path(), cache);
    EXPECT_THROW(lists.Entries(WordListId::kCoSuff), ConversionError);
    EXPECT_THROW(lists.Entries(WordListId::kKSpecial), ConversionError);
    EXPECT_THROW(lists.Entries(WordListId::kKSpecial), ConversionError);
  }
  if (geteuid() != 0) {  // root reads any file
    const auto path = folder.WriteUtf16("wi3var.txt", u"회의\n");
    chmod(path.c_str(), 0);
    FolderWordLists lists(folder.path(), false);
    EXPECT_THROW(lists.Entries(WordListId::kWi3Var), ConversionError);
  }
}

}  // namespace
}  // namespace pimoru
