#include "hangul/word_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "hangul/jamo.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

// The entries a source hands out, none when the list's file does not exist.
std::optional<WordList> EntriesOf(WordListSource& lists, WordListId id) {
  const IndexedWordList* const list = lists.Indexed(id);
  if (list == nullptr) return std::nullopt;
  return list->entries();
}

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

std::string Utf16Bytes(std::u16string_view text, bool big_endian) {
  std::string bytes;
  for (const char16_t c : text) {
    const char high = static_cast<char>(c >> 8);
    const char low = static_cast<char>(c & 0xFF);
    bytes += big_endian ? high : low;
    bytes += big_endian ? low : high;
  }
  return bytes;
}

TEST(DecodeWordListBytes, Utf16OfBothOrdersAndUtf8) {
  const std::u16string text = u"1,한,개\r\n0 가 x\n";
  const std::string le = Utf16Bytes(text, false);
  const std::string utf8 = U8(text);
  struct Case {
    const char* name;
    std::string bytes;
  } const cases[] = {
      {"UTF-16LE with BOM", "\xFF\xFE" + le},
      {"UTF-16LE without BOM", le},
      {"UTF-16BE with BOM", "\xFE\xFF" + Utf16Bytes(text, true)},
      {"UTF-8 with BOM", "\xEF\xBB\xBF" + utf8},
      {"UTF-8 without BOM", utf8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeWordListBytes(c.bytes, "list.txt"), text);
  }
  EXPECT_EQ(DecodeWordListBytes("", "list.txt"), u"");
}

// What is not UTF-8 or UTF-16 text is an error naming the file, the line and
// what was expected, never text read some other way or cut short.
TEST(DecodeWordListBytes, AnythingElseNamesFileLineAndWhatWasExpected) {
  struct Case {
    const char* name;
    std::string bytes;
    const char* where;  // the file and the line
  } const cases[] = {
      // 한국 in each.
      {"Shift_JIS", "1,\x83\x6E\x83\x93\x83\x4F\x83\x8B\n", "list.txt 1 行目"},
      {"EUC-KR", "x\n1,\xC7\xD1\xB1\xB9\n", "list.txt 2 行目"},
      // Otherwise UTF-8, one Latin-1 é on line 3; an even length, which
      // was once read as UTF-16 little-endian.
      {"stray Latin-1 byte", "a,b\nc,d\ncaf\xE9,x\n", "list.txt 3 行目"},
      {"stray byte after a UTF-8 BOM", "\xEF\xBB\xBFok\n\xFF\n",
       "list.txt 2 行目"},
      {"UTF-32LE with BOM", std::string("\xFF\xFE\0\0a\0\0\0", 8),
       "list.txt: UTF-32"},
      {"UTF-32BE with BOM", std::string("\0\0\xFE\xFF\0\0\0a", 8),
       "list.txt: UTF-32"},
      {"UTF-32LE without BOM", std::string("a\0\0\0\n\0\0\0", 8),
       "list.txt 1 行目"},
      {"NUL in UTF-16",
       "\xFF\xFE" + Utf16Bytes(std::u16string_view(u"a\nb\nc\0d\n", 8), false),
       "list.txt 3 行目"},
      {"NUL in UTF-8", std::string("a\r\nb\0c\n", 7), "list.txt 2 行目"},
      {"odd byte of UTF-16", "\xFF\xFE" + Utf16Bytes(u"a\nb", false) + "c",
       "list.txt 2 行目"},
      {"lone surrogate", "\xFE\xFF" + Utf16Bytes(u"a\r\n\xD800z", true),
       "list.txt 2 行目"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      const std::u16string text = DecodeWordListBytes(c.bytes, "list.txt");
      ADD_FAILURE() << "read as " << U8(text);
    } catch (const ConversionError& e) {
      const std::string message = e.what();
      EXPECT_EQ(message.rfind(c.where, 0), 0u) << message;
      EXPECT_NE(message.find("UTF-8 か UTF-16"), std::string::npos) << message;
    }
  }
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
      // Exactly three fields; "#" stands for a space, "$" for a join.
      {WordListId::kKSpecial,
       u"3,a#b,c#d\n3,a,b,c\n3,a,b,\n12,A,B\n6,한$잔,한$짠",
       {{3, u"a b", u"c d"},
        {12, u"A", u"B"},
        {6, u"한\uFDD1잔", u"한\uFDD1짠"}}},
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

TEST(FolderWordLists, AListIsReadAgainOnlyWhenItsFileChanged) {
  TempFolder folder;
  FolderWordLists lists(folder.path());
  EXPECT_EQ(lists.Indexed(WordListId::kSetsubi), nullptr);

  folder.WriteUtf16("setsubi.txt", u"문법,문뻡\r\n", /*bom=*/false);
  const IndexedWordList* const first = lists.Indexed(WordListId::kSetsubi);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->entries(), (WordList{{0, u"문법", u"문뻡"}}));
  // Unchanged: the same entries and index, not a copy read again.
  EXPECT_EQ(lists.Indexed(WordListId::kSetsubi), first);

  // Edited to the same size: seen at the next use. The clock of file times
  // may not move within a test, so the edit is dated a second later, as an
  // edit by hand would be.
  const auto written =
      std::filesystem::last_write_time(folder.path() / "setsubi.txt");
  folder.WriteUtf16("setsubi.txt", u"길가,길까\r\n", /*bom=*/false);
  std::filesystem::last_write_time(folder.path() / "setsubi.txt",
                                   written + std::chrono::seconds(1));
  EXPECT_EQ(EntriesOf(lists, WordListId::kSetsubi),
            (WordList{{0, u"길가", u"길까"}}));
  std::filesystem::remove(folder.path() / "setsubi.txt");
  EXPECT_EQ(lists.Indexed(WordListId::kSetsubi), nullptr);
}

TEST(LoadedWordLists, ReadOnceWhenMade) {
  TempFolder folder;
  folder.WriteUtf16("setsubi.txt", u"문법,문뻡\r\n");
  LoadedWordLists lists(folder.path());
  folder.WriteUtf16("setsubi.txt", u"길가,길까\r\n");
  folder.WriteUtf16("wi3var.txt", u"회의\r\n");
  EXPECT_EQ(EntriesOf(lists, WordListId::kSetsubi),
            (WordList{{0, u"문법", u"문뻡"}}));
  EXPECT_EQ(lists.Indexed(WordListId::kWi3Var), nullptr);
  EXPECT_TRUE(lists.Errors().empty());
}

// A list that exists and cannot be read, and a folder that is not there,
// end the conversion with an error naming them, from either source; none
// of them hangs.
TEST(WordListSources, WhatCannotBeReadIsAnErrorNamingIt) {
  struct Case {
    const char* name;
    // Makes kdat (or not) in a fresh folder with one bad co_suff.txt.
    std::function<void(const std::filesystem::path& kdat)> make;
    std::string named;  // in the message, after the folder
  } const cases[] = {
      {"list is a folder",
       [](const auto& kdat) {
         std::filesystem::create_directories(kdat / "co_suff.txt");
       },
       "/co_suff.txt"},
      {"list is a FIFO",
       [](const auto& kdat) {
         std::filesystem::create_directories(kdat);
         ASSERT_EQ(mkfifo((kdat / "co_suff.txt").c_str(), 0644), 0);
       },
       "/co_suff.txt"},
      {"list is a device",
       [](const auto& kdat) {
         std::filesystem::create_directories(kdat);
         std::filesystem::create_symlink("/dev/zero", kdat / "co_suff.txt");
       },
       "/co_suff.txt"},
      {"list is a link loop",
       [](const auto& kdat) {
         std::filesystem::create_directories(kdat);
         std::filesystem::create_symlink("co_suff.txt", kdat / "co_suff.txt");
       },
       "/co_suff.txt"},
      {"list is a link to nothing",
       [](const auto& kdat) {
         std::filesystem::create_directories(kdat);
         std::filesystem::create_symlink("gone.txt", kdat / "co_suff.txt");
       },
       "/co_suff.txt"},
      {"list holds a bad number",
       [](const auto& kdat) {
         std::filesystem::create_directories(kdat);
         std::ofstream(kdat / "co_suff.txt") << "x,개,a,b\n";
       },
       "/co_suff.txt 1 行目"},
      {"folder is missing", [](const auto&) {}, ""},
      {"folder is a file", [](const auto& kdat) { std::ofstream(kdat) << "x"; },
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder data;
    const std::filesystem::path kdat = data.path() / "kdat";
    c.make(kdat);
    FolderWordLists folder_lists(kdat);
    LoadedWordLists loaded_lists(kdat);
    for (WordListSource* lists :
         {static_cast<WordListSource*>(&folder_lists),
          static_cast<WordListSource*>(&loaded_lists)}) {
      try {
        lists->Indexed(WordListId::kCoSuff);
        ADD_FAILURE() << "no error";
      } catch (const ConversionError& e) {
        EXPECT_NE(std::string(e.what()).find(kdat.string() + c.named),
                  std::string::npos)
            << e.what();
        EXPECT_EQ(e.kind(), ConversionError::Kind::kUnreadableWordList);
      }
    }
    ASSERT_EQ(loaded_lists.Errors().size(), 1u);
    try {
      loaded_lists.Indexed(WordListId::kCoSuff);
    } catch (const ConversionError& e) {
      EXPECT_EQ(e.what(), loaded_lists.Errors().front());
    }
  }
}

TEST(WordListSources, ListsThatCannotBeReadForWantOfPermission) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads any file";
  TempFolder data;
  const auto list = data.WriteUtf16("kdat/wi3var.txt", u"회의\n");
  chmod(list.c_str(), 0);
  EXPECT_THROW(
      FolderWordLists(data.path() / "kdat").Indexed(WordListId::kWi3Var),
      ConversionError);
  chmod(list.c_str(), 0644);
  chmod((data.path() / "kdat").c_str(), 0);
  LoadedWordLists lists(data.path() / "kdat");
  // One message for the folder, not one for each list.
  ASSERT_EQ(lists.Errors().size(), 1u);
  EXPECT_NE(lists.Errors()[0].find(data.path().string() + "/kdat "),
            std::string::npos)
      << lists.Errors()[0];
  chmod((data.path() / "kdat").c_str(), 0755);
}

}  // namespace
}  // namespace pimoru
