#include "lexicon/hanja_ranking.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "hangul/utf.h"
#include "lexicon/system_dictionary.h"

namespace pimoru {
namespace {

// Homographs in small, each with the longer words that begin with its
// spellings.
constexpr std::string_view kFixture =
    // The first begins none, the second two: the second.
    "강릉:岡陵:\n"
    "강릉:江陵:\n"
    "강릉:康陵:\n"
    "강릉시:江陵市:\n"
    "강릉단오제:江陵端午祭:\n"
    // The first begins none, another one only: the order stands.
    "당신:當身:\n"
    "당신:堂神:\n"
    "당신굿:堂神굿:\n"
    // The first begins one, another many: the order stands.
    "이상:以上:\n"
    "이상:異常:\n"
    "이상하:以上下:\n"
    "이상기후:異常氣候:\n"
    "이상고온:異常高溫:\n"
    "이상저온:異常低溫:\n"
    // Of those that begin more, the one that begins the most; a spelling
    // part Hangul is no spelling of the word, but begins words all the
    // same.
    "종로:宗老:\n"
    "종로:終路:\n"
    "종로:鍾路:\n"
    "종로:鐘路:\n"
    "종로:종路:\n"
    "종로구:鐘路區:\n"
    "종로구청:鐘路區廳:\n"
    "종로삼가:鍾路三街:\n"
    "종로서:鍾路署:\n"
    "종로통:鐘路통:\n"
    // A single syllable keeps the order, whatever begins with it.
    "강:强:\n"
    "강:江:\n"
    "강남:江南:\n"
    "강변:江邊:\n"
    // One spelling.
    "목록:目錄:\n";

TEST(HanjaRanking, PutsFirstTheSpellingThatBeginsTheMostWords) {
  const HanjaDictionary d = HanjaDictionary::FromText(kFixture);
  const struct {
    std::u16string_view word;
    std::vector<std::u16string_view> ranked;
    std::u16string_view shown;
  } cases[] = {
      {u"강릉", {u"江陵", u"岡陵", u"康陵"}, u"江陵／岡陵…"},
      {u"당신", {u"當身", u"堂神"}, u"當身／堂神"},
      {u"이상", {u"以上", u"異常"}, u"以上／異常"},
      {u"종로", {u"鐘路", u"宗老", u"終路", u"鍾路"}, u"鐘路／宗老…"},
      {u"강", {u"强", u"江"}, u"强／江"},
      {u"목록", {u"目錄"}, u"目錄"},
      {u"폴더", {}, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.word));
    const std::vector<HanjaEntry> ranked = RankedHanja(d, c.word);
    std::vector<std::u16string_view> spellings;
    for (const HanjaEntry& e : ranked) spellings.push_back(e.hanja);
    EXPECT_EQ(spellings, c.ranked);
    EXPECT_EQ(ShownHanja(ranked), c.shown);
  }
}

// tests/data/hanja_homographs.tsv: words of real prose and place names with
// the spelling meant, labelled by hand.
struct Labelled {
  std::u16string word;
  std::vector<std::u16string> right;
  std::string kind;
};

std::vector<Labelled> LoadLabelled() {
  std::ifstream in(std::string(PIMORU_TEST_DATA_DIR) + "/hanja_homographs.tsv");
  EXPECT_TRUE(in.good()) << "hanja_homographs.tsv not found";
  std::vector<Labelled> rows;
  for (std::string row; std::getline(in, row);) {
    if (row.empty() || row.starts_with('#') || row.starts_with("word\t")) {
      continue;
    }
    std::vector<std::string> cells;
    std::stringstream cut(row);
    for (std::string cell; std::getline(cut, cell, '\t');) {
      cells.push_back(cell);
    }
    if (cells.size() != 4 || (cells[2] != "prose" && cells[2] != "place")) {
      ADD_FAILURE() << "malformed: " << row;
      continue;
    }
    Labelled l{Utf8ToUtf16Lossy(cells[0]), {}, cells[2]};
    std::stringstream spellings(cells[1]);
    for (std::string s; spellings >> s;) {
      l.right.push_back(Utf8ToUtf16Lossy(s));
    }
    rows.push_back(std::move(l));
  }
  return rows;
}

const HanjaDictionary* InstalledHanja() {
  static const std::optional<HanjaDictionary> hanja =
      HanjaDictionary::FromFile(FindDictionaryFiles().hanja);
  return hanja ? &*hanja : nullptr;
}

// Whether the spelling shown first is one of the right ones.
bool Right(std::u16string_view first, const Labelled& l) {
  for (const std::u16string& r : l.right) {
    if (r == first) return true;
  }
  return false;
}

TEST(HanjaRanking, IsRightMoreOftenThanTheDictionarysOrderOnLabelledWords) {
  const HanjaDictionary* hanja = InstalledHanja();
  if (hanja == nullptr) GTEST_SKIP() << "no hanja dictionary: install-deps";
  struct Tally {
    int words = 0;
    int in_order = 0;
    int ranked = 0;
    std::string wrong;
  };
  std::map<std::string, Tally> by_kind;
  for (const Labelled& l : LoadLabelled()) {
    const std::vector<HanjaEntry> ranked = RankedHanja(*hanja, l.word);
    if (ranked.size() < 2) {
      ADD_FAILURE() << Utf16ToUtf8(l.word) << " has no homographs";
      continue;
    }
    const std::optional<HanjaEntry> first_in_order = hanja->HanjaWord(l.word);
    Tally& t = by_kind[l.kind];
    ++t.words;
    if (Right(first_in_order->hanja, l)) ++t.in_order;
    if (Right(ranked.front().hanja, l)) {
      ++t.ranked;
    } else {
      t.wrong +=
          " " + Utf16ToUtf8(l.word) + "=" + Utf16ToUtf8(ranked.front().hanja);
    }
  }
  for (const auto& [kind, t] : by_kind) {
    std::printf(
        "%s: %d words, right first %d in the dictionary's order, %d "
        "ranked; wrong:%s\n",
        kind.c_str(), t.words, t.in_order, t.ranked, t.wrong.c_str());
    EXPECT_GT(t.ranked, t.in_order) << kind;
  }
  EXPECT_EQ(by_kind.size(), 2u);
}

}  // namespace
}  // namespace pimoru
