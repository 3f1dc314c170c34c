#include "lexicon/word_forms.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <string>

#include "hangul/utf.h"
#include "lexicon/lexicon_support.h"

namespace pimoru {
namespace {

// The affix file names the ending of each class in a comment before it:
// "# 150 '-을'".
std::map<int, std::u16string> AffixNames(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::map<int, std::u16string> names;
  const std::regex comment(R"(^# (\d+) '([^']*)')");
  std::string line;
  std::smatch m;
  while (std::getline(in, line)) {
    if (std::regex_search(line, m, comment)) {
      names[std::stoi(m[1])] = Utf8ToUtf16Lossy(m[2].str());
    }
  }
  return names;
}

TEST(WordForms, TheTableOfAffixClassesIsTheAffixFiles) {
  PIMORU_NEED_DICTIONARY();
  const std::map<int, std::u16string> names =
      AffixNames(FindDictionaryFiles().affix);
  ASSERT_FALSE(names.empty());
  // Every listed class is named so in the file.
  for (const AffixClass& c : kAffixClasses) {
    if (c.affix.empty()) continue;
    for (int flag = c.first; flag <= c.last; ++flag) {
      SCOPED_TRACE(flag);
      ASSERT_TRUE(names.contains(flag));
      EXPECT_EQ(names.at(flag), c.affix);
    }
  }
  // And every class the file names with a listed affix is listed: no -을
  // ending that tenses is taken for a plain one.
  for (const auto& [flag, name] : names) {
    SCOPED_TRACE(flag);
    for (const AffixClass& c : kAffixClasses) {
      if (!c.affix.empty() && name == c.affix) {
        EXPECT_EQ(KindOfAffix(flag), c.kind);
      }
    }
    if (name == u"-을망정" || name == u"-을는지" || name == u"-을래" ||
        name == u"-을라") {
      EXPECT_EQ(KindOfAffix(flag), FormKind::kEnding);
    }
  }
}

bool Has(const std::vector<WordReading>& readings, std::u16string_view stem,
         FormKind kind) {
  for (const WordReading& r : readings) {
    if (r.stem == stem && r.kind == kind) return true;
  }
  return false;
}

TEST(WordForms, ReadsRealWords) {
  PIMORU_NEED_DICTIONARY();
  const std::unique_ptr<WordForms> forms =
      WordForms::Open(FindDictionaryFiles().affix, FindDictionaryFiles().words);
  ASSERT_NE(forms, nullptr);
  struct Case {
    std::u16string_view word;
    std::u16string_view stem;
    FormKind kind;
    bool present;
  } const cases[] = {
      {u"할", u"하다", FormKind::kAdnominal, true},
      {u"할", u"할", FormKind::kBare, true},
      {u"갈", u"가다", FormKind::kAdnominal, true},
      {u"갈", u"갈다", FormKind::kAdnominal, true},
      {u"먹을", u"먹다", FormKind::kAdnominal, true},
      {u"읽을", u"읽다", FormKind::kAdnominal, true},
      {u"줄", u"주다", FormKind::kAdnominal, true},
      {u"줄", u"줄", FormKind::kBare, true},
      {u"일본", u"일본", FormKind::kBare, true},
      {u"일본", u"일본", FormKind::kAdnominal, false},
      {u"얼굴", u"얼굴", FormKind::kBare, true},
      {u"물건", u"물건", FormKind::kBare, true},
      {u"결과를", u"결과", FormKind::kParticle, true},
      {u"입력하면", u"입력하다", FormKind::kEnding, true},
      {u"할게", u"하다", FormKind::kRieulEnding, true},
      {u"할수록", u"하다", FormKind::kRieulEnding, true},
      {u"했을", u"하다", FormKind::kPreFinal, true},
      {u"학생일", u"학생", FormKind::kCopula, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.word) + " " + Utf16ToUtf8(c.stem));
    const auto readings = forms->Readings(c.word);
    EXPECT_EQ(Has(*readings, c.stem, c.kind), c.present);
  }
  // A word the lexicon only guesses at as a compound has no reading.
  EXPECT_TRUE(forms->Readings(u"식별자를")->empty());
  EXPECT_TRUE(forms->Readings(u"뷁뷁")->empty());
}

TEST(WordForms, MissingFilesAreNoLexicon) {
  EXPECT_EQ(WordForms::Open("/nonexistent/ko.aff", "/nonexistent/ko.dic"),
            nullptr);
}

}  // namespace
}  // namespace pimoru
