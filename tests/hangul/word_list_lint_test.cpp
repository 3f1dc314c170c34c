// Lints the word lists we ship: the UTF-8 sources in data/kdat and the UTF-16
// copies the build stages beside the program.
//
// A list is read in file order and each entry rewrites the text the entries
// before it left, so besides the shape of each line the lint looks for
// entries that can never act: one whose every pattern an earlier entry has
// already rewritten wherever it stands.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hangul/jamo.h"
#include "hangul/utf.h"
#include "hangul/word_list.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

namespace fs = std::filesystem;

// tests/data -> tests -> the repository root.
const fs::path kSourceKdat =
    fs::path(PIMORU_TEST_DATA_DIR).parent_path().parent_path() / "data" /
    "kdat";
const fs::path kStagedKdat = fs::path(PIMORU_STAGED_DATA_DIR) / "kdat";

// The comment lines of a list: their first field begins with "#".
bool IsComment(const std::vector<std::u16string>& fields) {
  return !fields.empty() && fields[0].starts_with(u'#');
}

struct Substitution {
  std::u16string pattern;
  std::u16string replacement;
};

std::u16string Tense(char16_t plain) {
  switch (plain) {
    case ini::kGiyeok:
      return {ini::kSsangGiyeok};
    case ini::kDigeut:
      return {ini::kSsangDigeut};
    case ini::kBieup:
      return {ini::kSsangBieup};
    case ini::kSiot:
      return {ini::kSsangSiot};
    case ini::kJieut:
      return {ini::kSsangJieut};
  }
  return {plain};
}
constexpr char16_t kPlainInitials[] = {ini::kGiyeok, ini::kDigeut, ini::kBieup,
                                       ini::kSiot, ini::kJieut};

// The number words stage 2 puts before a counter, by count and flag.
std::u16string_view NumberWord(int count, bool irregular) {
  switch (count) {
    case 1:
      return u"한";
    case 2:
      return u"두";
    case 3:
      return irregular ? u"석" : u"세";
    default:
      return irregular ? u"넉" : u"네";
  }
}

// What an entry does to a text, as the substitutions its stage makes.
std::vector<Substitution> SubstitutionsOf(WordListId id,
                                          const WordListEntry& entry) {
  std::vector<Substitution> subs;
  switch (id) {
    case WordListId::kCoSuff:
      for (int count = 1; count <= 4; ++count) {
        const std::u16string number(NumberWord(count, entry.number != 0));
        subs.push_back({u" " + number + u" " + entry.text,
                        u" " + number + u"$" + entry.text});
      }
      break;
    case WordListId::kWi3Var: {
      std::u16string read = entry.text;
      ReplaceAll(read, u"의", u"이");
      subs.push_back({entry.text, read});
      break;
    }
    case WordListId::kRiulFuture:
      if (entry.number != 0 && entry.number != 1) break;
      for (const char16_t plain : kPlainInitials) {
        for (const std::u16string_view gap : {u" ", u""}) {
          const std::u16string before = entry.text + std::u16string(gap);
          subs.push_back({before + plain, before + Tense(plain)});
        }
      }
      break;
    default:
      subs.push_back({entry.text, entry.replacement});
  }
  return subs;
}

// The places where an entry acts. A riul_future ending written with its
// trailing space never meets a second space: the text holds single spaces.
std::vector<std::u16string> PatternsOf(WordListId id,
                                       const WordListEntry& entry) {
  std::vector<std::u16string> patterns;
  for (const Substitution& sub : SubstitutionsOf(id, entry)) {
    if (id == WordListId::kRiulFuture &&
        sub.pattern.find(u"  ") != std::u16string::npos) {
      continue;
    }
    patterns.push_back(sub.pattern);
  }
  return patterns;
}

// Whether the substitution rewrites the pattern where it stands.
bool Rewrites(const Substitution& sub, std::u16string_view pattern) {
  std::u16string text(pattern);
  ReplaceAll(text, sub.pattern, sub.replacement);
  return text != pattern;
}

std::string Describe(const WordListEntry& entry) {
  std::string text = "[" + std::to_string(entry.number) + "] \"" +
                     U8(ComposeText(entry.text)) + "\"";
  if (!entry.replacement.empty()) {
    text += " -> \"" + U8(entry.replacement) + "\"";
  }
  return text;
}

class WordListLint : public ::testing::TestWithParam<WordListId> {
 protected:
  std::string Name() const { return std::string(WordListFileName(GetParam())); }

  // The source text, which the build converts as it stands.
  std::u16string SourceText() const {
    const std::string bytes = ReadFileBytes(kSourceKdat / Name());
    const std::optional<std::u16string> text = Utf8ToUtf16(bytes);
    EXPECT_TRUE(text.has_value()) << Name() << " is not UTF-8";
    return text.value_or(u"");
  }
};

TEST_P(WordListLint, EveryLineQualifiesOrIsACommentThatDoesNot) {
  const std::u16string text = SourceText();
  const std::vector<std::u16string> lines = SplitLines(text);
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(IsComment(SplitFields(lines.front())))
      << Name() << " starts without a header comment";
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const std::vector<std::u16string> fields = SplitFields(lines[n]);
    if (fields.empty()) continue;
    SCOPED_TRACE(Name() + " line " + std::to_string(n + 1) + ": " +
                 U8(lines[n]));
    std::size_t entries = 0;
    ASSERT_NO_THROW(entries =
                        BuildWordList(GetParam(), lines[n], Name()).size());
    if (!IsComment(fields)) {
      EXPECT_EQ(entries, 1u) << "the line does not qualify";
    } else if (GetParam() == WordListId::kWi3Var) {
      // Every line of this list is a word. A comment is safe when it holds
      // a "$": it stands for a join of stage 2, and stage 3 has removed
      // every join before stage 4 matches.
      EXPECT_NE(fields[0].find(u'$'), std::u16string::npos)
          << "a comment here must hold a $ so that it matches no text";
    } else {
      EXPECT_EQ(entries, 0u) << "the comment qualifies as an entry";
    }
  }
}

TEST_P(WordListLint, EntriesAreSoundAndNoneIsShadowed) {
  const WordListId id = GetParam();
  const WordList all = BuildWordList(id, SourceText(), Name());
  std::vector<WordListEntry> entries;
  for (const WordListEntry& entry : all) {
    const bool comment =
        id == WordListId::kWi3Var && entry.text.starts_with(u'#');
    if (!comment) entries.push_back(entry);
  }
  ASSERT_FALSE(entries.empty());
  std::set<std::pair<int, std::u16string>> seen;
  for (std::size_t b = 0; b < entries.size(); ++b) {
    const WordListEntry& entry = entries[b];
    SCOPED_TRACE(Name() + " entry " + Describe(entry));
    ASSERT_FALSE(entry.text.empty()) << "empty pattern";
    // Only the counters' flag makes two entries with one text differ.
    const int key = id == WordListId::kCoSuff ? entry.number : 0;
    EXPECT_TRUE(seen.emplace(key, entry.text).second) << "repeated pattern";
    switch (id) {
      case WordListId::kCoSuff:
        EXPECT_TRUE(entry.number == 0 || entry.number == 1);
        break;
      case WordListId::kKSpecial:
        EXPECT_TRUE(entry.number >= 0 && entry.number < 24)
            << "credits no stage of the record";
        break;
      case WordListId::kWi3Var:
        EXPECT_NE(entry.text.find(u'의'), std::u16string::npos)
            << "a word without 의 changes nothing";
        EXPECT_FALSE(entry.text.starts_with(u'의'))
            << "a word-initial 의 keeps its reading";
        break;
      case WordListId::kRiulFuture:
        EXPECT_TRUE(entry.number == 0 || entry.number == 1);
        break;
      default:
        break;
    }
    for (const Substitution& sub : SubstitutionsOf(id, entry)) {
      EXPECT_NE(sub.pattern, sub.replacement)
          << "the entry rewrites nothing, it only reports a change";
    }
    // Shadowed: every place the entry acts on, an earlier entry rewrites
    // first, so this one never matches.
    std::string shadows;
    bool all_shadowed = true;
    for (const std::u16string& pattern : PatternsOf(id, entry)) {
      bool shadowed = false;
      for (std::size_t a = 0; a < b && !shadowed; ++a) {
        for (const Substitution& sub : SubstitutionsOf(id, entries[a])) {
          if (Rewrites(sub, pattern)) {
            shadows += "\n  " + Describe(entries[a]);
            shadowed = true;
            break;
          }
        }
      }
      all_shadowed = all_shadowed && shadowed;
    }
    EXPECT_FALSE(all_shadowed) << "shadowed by" << shadows;
  }
}

TEST_P(WordListLint, StagedCopyIsUtf16WithTheSameEntries) {
  const fs::path staged = kStagedKdat / Name();
  ASSERT_TRUE(fs::exists(staged)) << staged;
  const std::string bytes = ReadFileBytes(staged);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(bytes.size() % 2, 0u);
  EXPECT_EQ(DecodeWordListBytes(bytes, Name()), SourceText());

  FolderWordLists lists(kStagedKdat);
  const IndexedWordList* const loaded = lists.Indexed(GetParam());
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->entries(), BuildWordList(GetParam(), SourceText(), Name()));
}

INSTANTIATE_TEST_SUITE_P(Shipped, WordListLint,
                         ::testing::ValuesIn(kAllWordLists),
                         [](const ::testing::TestParamInfo<WordListId>& info) {
                           std::string name(WordListFileName(info.param));
                           return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace pimoru
