#include "lexicon/compound_lexicon.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "hangul/conversion_error.h"
#include "hangul/utf.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

constexpr auto kIns = JunctionTakes::kInserted;
constexpr auto kNot = JunctionTakes::kNotInserted;
constexpr auto kEither = JunctionTakes::kEither;

TEST(CompoundLexicon, ParsesEntriesWithTheirJunctions) {
  const std::vector<CompoundEntry> entries = CompoundLexicon::Parse(
      u"# comment\r\n"
      u"\n"
      u"솜이불\t솜+이불\tㄴ\tdictionary\r\n"
      u"금요일\t금+요일\t-\treviewed\t# 金曜日\n"
      u"검열\t검+열\tㄴ/-\trule\n"
      // Three parts, one junction that can take ㄴ (지하|철 cannot).
      u"서울지하철역\t서울+지하철+역\tㄴ\tuser\n"
      // Two junctions, each with its own.
      u"앞일옷일\t앞+일+옷+일\tㄴ,-\treviewed",
      "compounds.tsv");
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[0].word, u"솜이불");
  EXPECT_EQ(entries[0].parts, u"솜+이불");
  EXPECT_EQ(entries[0].junctions, (std::vector<CompoundJunction>{{0, kIns}}));
  EXPECT_EQ(entries[0].source, CompoundSource::kDictionary);
  EXPECT_EQ(entries[1].junctions, (std::vector<CompoundJunction>{{0, kNot}}));
  EXPECT_EQ(entries[1].source, CompoundSource::kReviewed);
  EXPECT_EQ(entries[2].junctions,
            (std::vector<CompoundJunction>{{0, kEither}}));
  EXPECT_EQ(entries[2].source, CompoundSource::kRule);
  EXPECT_EQ(entries[3].junctions, (std::vector<CompoundJunction>{{4, kIns}}));
  EXPECT_EQ(entries[3].source, CompoundSource::kUser);
  EXPECT_EQ(entries[4].junctions,
            (std::vector<CompoundJunction>{{0, kIns}, {2, kNot}}));
  ASSERT_NE(entries[4].TakesAfter(2), nullptr);
  EXPECT_EQ(*entries[4].TakesAfter(2), kNot);
  EXPECT_EQ(entries[4].TakesAfter(1), nullptr);
}

TEST(CompoundLexicon, BadLinesAreErrorsNamingFileAndLine) {
  struct Case {
    std::u16string_view line;
    std::string_view says;
  } const cases[] = {
      {u"솜이불\t솜+이불\tㄴ", "4 つのフィールド"},
      {u"솜이불 솜+이불 ㄴ dictionary", "4 つのフィールド"},
      {u"솜이불\t솜+이불\tㄴ\tdictionary\tnote without #", "4 つのフィールド"},
      {u"software\tsoft+ware\t-\tuser", "ハングル"},
      {u"\t+\t\tuser", "ハングル"},
      {u"솜이불\t솜+이불이\tㄴ\tuser", "をつなげても"},
      {u"솜이불\t솜++이불\tㄴ\tuser", "をつなげても"},
      {u"솜이불\t솜이불\tㄴ\tuser", "境目は 0 つ"},
      {u"솜이불\t솜+이불\tㄴ,ㄴ\tuser", "境目は 1 つ"},
      {u"솜이불\t솜+이불\t\tuser", "境目は 1 つ"},
      {u"솜이불\t솜+이불\tn\tuser", "「n」は"},
      {u"솜이불\t솜+이불\tㄴ\tmine", "「mine」は"},
      {u"가가가가가가가가가가가가가가가가가가가가가가가가가가가가가가가가가\t"
       u"가\t\tuser",
       "32 音節"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.line));
    const std::u16string text =
        u"# header\n솜이불\t솜+이불\tㄴ\tdictionary\n" + std::u16string(c.line);
    try {
      CompoundLexicon::Parse(text, "user/compounds.tsv");
      ADD_FAILURE() << "no error";
    } catch (const ConversionError& e) {
      const std::string message = e.what();
      EXPECT_TRUE(message.starts_with("user/compounds.tsv 3 行目: "))
          << message;
      EXPECT_NE(message.find(c.says), std::string::npos) << message;
    }
  }
}

TEST(CompoundLexicon, FindsWordsAndTheLongestAtTheStartOfAText) {
  const CompoundLexicon lexicon(
      CompoundLexicon::Parse(u"꽃잎\t꽃+잎\tㄴ\treviewed\n"
                             u"서울역\t서울+역\tㄴ\treviewed\n"
                             u"서울역앞일\t서울역앞+일\tㄴ\tuser\n",
                             "compounds.tsv"));
  EXPECT_EQ(lexicon.size(), 3u);
  ASSERT_NE(lexicon.Find(u"꽃잎"), nullptr);
  EXPECT_EQ(lexicon.Find(u"꽃잎")->parts, u"꽃+잎");
  EXPECT_EQ(lexicon.Find(u"꽃"), nullptr);
  EXPECT_EQ(lexicon.Find(u"꽃잎이"), nullptr);
  ASSERT_NE(lexicon.LongestAtStart(u"꽃잎이"), nullptr);
  EXPECT_EQ(lexicon.LongestAtStart(u"꽃잎이")->word, u"꽃잎");
  EXPECT_EQ(lexicon.LongestAtStart(u"서울역앞일을")->word, u"서울역앞일");
  EXPECT_EQ(lexicon.LongestAtStart(u"서울역에서")->word, u"서울역");
  EXPECT_EQ(lexicon.LongestAtStart(u"잎"), nullptr);
  EXPECT_EQ(lexicon.LongestAtStart(u""), nullptr);
}

TEST(CompoundLexicon, AUsersLineReplacesTheShippedOne) {
  TempFolder folder;
  const CompoundFiles files =
      FindCompoundFiles(folder.path() / "share", folder.path() / "user");
  std::filesystem::create_directories(files.shipped.parent_path());
  std::filesystem::create_directories(files.user.parent_path());
  folder.WriteBytes("share/lexicon/compounds.tsv",
                    "꽃잎\t꽃+잎\tㄴ\tdictionary\n"
                    "금요일\t금+요일\tㄴ\tdictionary\n");
  // UTF-8 with a byte-order mark, as a text editor may save it.
  folder.WriteBytes("user/compounds.tsv",
                    "\xEF\xBB\xBF금요일\t금+요일\t-\tuser\n"
                    "솜이불\t솜+이불\tㄴ\tuser\n");
  const CompoundLexicon lexicon = CompoundLexicon::Load(files);
  EXPECT_TRUE(lexicon.errors().empty());
  EXPECT_EQ(lexicon.size(), 3u);
  EXPECT_EQ(lexicon.Find(u"꽃잎")->source, CompoundSource::kDictionary);
  EXPECT_EQ(*lexicon.Find(u"금요일")->TakesAfter(0), kNot);
  EXPECT_EQ(lexicon.Find(u"금요일")->source, CompoundSource::kUser);
  EXPECT_EQ(*lexicon.Find(u"솜이불")->TakesAfter(0), kIns);
}

TEST(CompoundLexicon, AFileThatCannotBeReadAddsNothingAndIsNamed) {
  TempFolder folder;
  const std::filesystem::path shipped =
      folder.WriteBytes("shipped.tsv", "꽃잎\t꽃+잎\tㄴ\tdictionary\n");
  const std::filesystem::path fifo = folder.path() / "fifo.tsv";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::filesystem::path huge = folder.path() / "huge.tsv";
  { std::ofstream(huge).put('#'); }
  std::filesystem::resize_file(huge, CompoundLexicon::kMaxFileBytes + 1);
  const std::filesystem::path dangling = folder.path() / "dangling.tsv";
  std::filesystem::create_symlink(folder.path() / "gone.tsv", dangling);
  struct Case {
    std::filesystem::path user;
    std::string says;
  } const cases[] = {
      {folder.path() / "missing.tsv", ""},
      {dangling, "リンク先がありません"},
      {folder.path(), "フォルダです"},
      {fifo, "通常のファイルではありません"},
      {huge, "16 MiB を超えています"},
      {folder.WriteBytes("bad.tsv", "# ok\n금요일\t금요일\t-\tuser\n"),
       "bad.tsv 2 行目: "},
      {folder.WriteBytes("latin1.tsv", "\xB1\xDD\n"), "UTF-8"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.user.string());
    const CompoundLexicon lexicon = CompoundLexicon::Load({shipped, c.user});
    EXPECT_EQ(lexicon.size(), 1u);
    if (c.says.empty()) {
      EXPECT_TRUE(lexicon.errors().empty());
      continue;
    }
    ASSERT_EQ(lexicon.errors().size(), 1u);
    const std::string& message = lexicon.errors()[0];
    EXPECT_NE(message.find(c.user.filename().string()), std::string::npos)
        << message;
    EXPECT_NE(message.find(c.says), std::string::npos) << message;
  }
}

// The list as staged for install reads without an error and carries what
// the standard says of its examples.
TEST(CompoundLexicon, TheShippedListReadsAsTheStandardSays) {
  const CompoundLexicon lexicon = CompoundLexicon::Load(
      FindCompoundFiles(PIMORU_STAGED_DATA_DIR, "/nonexistent"));
  ASSERT_TRUE(lexicon.errors().empty()) << lexicon.errors()[0];
  struct Case {
    std::u16string_view word;
    std::size_t at;
    JunctionTakes takes;
  } const cases[] = {
      {u"솜이불", 0, kIns},  {u"꽃잎", 0, kIns},     {u"나뭇잎", 1, kIns},
      {u"색연필", 0, kIns},  {u"서울역", 1, kIns},   {u"휘발유", 1, kIns},
      {u"내복약", 1, kIns},  {u"신혼여행", 1, kIns}, {u"금요일", 0, kNot},
      {u"월요일", 0, kNot},  {u"목요일", 0, kNot},   {u"송별연", 1, kNot},
      {u"등용문", 0, kNot},  {u"한국인", 1, kNot},   {u"검열", 0, kEither},
      {u"금융", 0, kEither},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.word));
    const CompoundEntry* entry = lexicon.Find(c.word);
    ASSERT_NE(entry, nullptr);
    ASSERT_NE(entry->TakesAfter(c.at), nullptr);
    EXPECT_EQ(*entry->TakesAfter(c.at), c.takes);
    EXPECT_NE(entry->source, CompoundSource::kUser);
  }
}

}  // namespace
}  // namespace pimoru
