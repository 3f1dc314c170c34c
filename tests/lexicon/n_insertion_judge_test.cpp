// The N-insertion judge's steps before the readings of the word: the
// compound list (its Yes, No and either, a user's line over a shipped one)
// and the rules that need no entry, on the word as typed with what follows
// its stem.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hangul/utf.h"
#include "lexicon/compound_lexicon.h"
#include "lexicon/hanja_dictionary.h"
#include "lexicon/judging.h"
#include "lexicon/lexicon_support.h"
#include "lexicon/system_dictionary.h"
#include "lexicon/word_forms.h"

namespace pimoru {
namespace {

using V = Verdict;

constexpr std::u16string_view kShipped =
    u"꽃잎\t꽃+잎\tㄴ\tdictionary\n"
    u"서울역\t서울+역\tㄴ\tdictionary\n"
    u"금요일\t금+요일\t-\treviewed\n"
    u"금융\t금+융\tㄴ/-\treviewed\n"
    u"날입\t날+입\tㄴ\tdictionary\n"
    u"들일\t들+일\tㄴ\tdictionary\n"
    u"삯일\t삯+일\tㄴ\treviewed\n"
    u"솜옷\t솜+옷\t\tdictionary\n";
// The user's line for 꽃잎 replaces the shipped one.
constexpr std::u16string_view kUser = u"꽃잎\t꽃+잎\t-\tuser\n";

// The system's hanja list and word forms, read once; null without them.
struct SystemSources {
  std::optional<HanjaDictionary> hanja;
  std::unique_ptr<WordForms> forms;
};
const SystemSources* Sources() {
  static const std::unique_ptr<SystemSources> sources = [] {
    if (InstalledDictionary() == nullptr)
      return std::unique_ptr<SystemSources>();
    const DictionaryFiles files = FindDictionaryFiles();
    auto s = std::make_unique<SystemSources>();
    s->hanja = HanjaDictionary::FromFile(files.hanja);
    s->forms = WordForms::Open(files.affix, files.words);
    return s;
  }();
  return sources.get();
}

CompoundLexicon Lexicon(bool with_user) {
  std::vector<CompoundEntry> entries = CompoundLexicon::Parse(kShipped, "s");
  if (with_user) {
    for (CompoundEntry& e : CompoundLexicon::Parse(kUser, "u")) {
      entries.push_back(std::move(e));
    }
  }
  return CompoundLexicon(std::move(entries));
}

struct Case {
  std::u16string_view word;
  std::size_t at;
  std::u16string_view next_word;
  V verdict;
  bool guess;
  std::u16string_view reason;  // empty: not compared
};

void ExpectJudged(const CompoundLexicon& lexicon,
                  std::initializer_list<Case> cases) {
  const SystemSources& s = *Sources();
  const WordSources sources{*s.hanja, *s.forms, lexicon};
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.word) + " at " + std::to_string(c.at));
    const Judgement j = JudgeWord(
        sources,
        WordQuestion{QuestionKind::kNInsertion, c.word, c.at, c.next_word});
    EXPECT_EQ(j.verdict, c.verdict) << Utf16ToUtf8(j.reason);
    EXPECT_EQ(j.guess, c.guess) << Utf16ToUtf8(j.reason);
    if (!c.reason.empty()) {
      EXPECT_EQ(Utf16ToUtf8(j.reason), Utf16ToUtf8(c.reason));
    }
  }
}

#define PIMORU_NEED_SOURCES()                                          \
  PIMORU_NEED_DICTIONARY();                                            \
  if (!Sources()->hanja || !Sources()->forms) {                        \
    GTEST_SKIP() << "the hanja list or the word forms cannot be read"; \
  }

TEST(NInsertionJudge, TheListDecidesForTheStemOfTheWordAsTyped) {
  PIMORU_NEED_SOURCES();
  ExpectJudged(
      Lexicon(false),
      {
          // Yes, No and either, alone and with particles after the stem.
          {u"꽃잎", 0, u"", V::kYes, true, u"꽃＋잎（合成語）"},
          {u"꽃잎이", 0, u"", V::kYes, true, u"꽃＋잎（合成語）"},
          {u"서울역에서", 1, u"", V::kYes, true, u"서울＋역（合成語）"},
          {u"금요일에", 0, u"", V::kNo, false,
           u"금＋요일（ㄴ挿入のない合成語）"},
          {u"금융", 0, u"", V::kUnknown, true,
           u"금＋융（ㄴ挿入はどちらでも可）"},
          // A listed word as typed, though read as 삯 with the copula.
          {u"삯일", 0, u"", V::kYes, true, u"삯＋일（合成語）"},
          // The particle after a listed stem is no junction of the list.
          {u"꽃잎이", 1, u"", V::kNo, false, u""},
          // 날입니다 is 날 with the copula, not the listed 날입.
          {u"날입니다", 0, u"", V::kNo, false, u""},
          // An adnominal before a word: 들이다 + -ㄹ, or the noun 들일.
          {u"들일", 0, u"", V::kYes, true, u"들＋일（合成語）"},
          {u"들일", 0, u"수", V::kUnknown, true, u""},
          // A listed word none of whose junctions is there: as before.
          {u"솜이불", 0, u"", V::kUnknown, true,
           u"솜이불＝솜＋이불（合成語らしい）"},
      });
}

TEST(NInsertionJudge, AUsersLineWinsOverTheShippedOne) {
  PIMORU_NEED_SOURCES();
  ExpectJudged(Lexicon(true),
               {
                   {u"꽃잎이", 0, u"", V::kNo, false,
                    u"꽃＋잎（ㄴ挿入のない合成語、ユーザーの一覧）"},
                   {u"서울역", 1, u"", V::kYes, true, u""},
               });
}

// Words the list does not hold: the rules, then the readings as before.
TEST(NInsertionJudge, TheRulesDecideWhatTheListDoesNotHold) {
  PIMORU_NEED_SOURCES();
  ExpectJudged(
      Lexicon(false),
      {
          {u"나뭇잎이", 1, u"", V::kYes, true,
           u"나뭇잎＝나무＋잎（사이시옷の合成語）"},
          {u"공업용으로", 1, u"", V::kYes, true,
           u"공업용＝공업＋용（名詞＋一音節の名詞）"},
          {u"석유를", 0, u"", V::kNo, false, u"석유＝石油（一語の漢字語）"},
          {u"운영체제의", 0, u"", V::kNo, false, u"운영＝運營（一語の漢字語）"},
          {u"송별연", 1, u"", V::kNo, false, u"송별연（標準発音の例外）"},
          {u"검열", 0, u"", V::kUnknown, true, u""},
          // The copula with a particle after it, after a word the lexicon
          // does not know.
          {u"것인가에", 0, u"", V::kNo, false,
           u"것인가에＝것＋인가에（指定詞）"},
      });
}

}  // namespace
}  // namespace pimoru
