#include "lexicon/compound_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <span>
#include <string>

#include "hangul/utf.h"

namespace pimoru {
namespace {

constexpr std::string_view kHanja =
    "석유:石油:\n"
    "식욕:食慾:\n"
    "절연:絶緣:\n"
    "국유:國有:\n"
    "담요:毯요:\n"
    "물약:물藥:\n"
    "활용:活用:\n"
    "검열:檢閱:\n"
    "사용:使用:\n";

// The nouns the lexicon of word forms knows, in small.
constexpr std::u16string_view kNouns[] = {
    u"나무", u"깨",   u"베개", u"뒤",   u"도리깨", u"이야기", u"잎",
    u"잇",   u"일",   u"윷",   u"열",   u"것",     u"옷",     u"오",
    u"용산", u"방광", u"공업", u"재활", u"식용",   u"물",     u"내복",
};

bool IsNoun(std::u16string_view text) {
  return std::find(std::begin(kNouns), std::end(kNouns), text) !=
         std::end(kNouns);
}

constexpr auto kIns = JunctionTakes::kInserted;
constexpr auto kNot = JunctionTakes::kNotInserted;
constexpr auto kEither = JunctionTakes::kEither;

struct Case {
  std::u16string_view stem;
  std::size_t at;  // the junction after this syllable
  std::optional<JunctionTakes> takes;
};

void ExpectRulings(std::span<const Case> cases,
                   std::u16string_view reason_part = {}) {
  const HanjaDictionary hanja = HanjaDictionary::FromText(kHanja);
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.stem) + " after " + std::to_string(c.at));
    const std::optional<CompoundRuling> ruling =
        JudgeByRules(c.stem, c.at, hanja, IsNoun);
    ASSERT_EQ(ruling.has_value(), c.takes.has_value())
        << (ruling ? Utf16ToUtf8(ruling->reason) : "no ruling");
    if (!ruling) continue;
    EXPECT_EQ(ruling->takes, *c.takes);
    EXPECT_NE(ruling->reason.find(reason_part), std::u16string::npos)
        << Utf16ToUtf8(ruling->reason);
  }
}

TEST(CompoundRules, SaisiotBeforeINounsIsACompoundBySpelling) {
  static constexpr Case kCases[] = {
      {u"나뭇잎", 1, kIns},    // 나문닙
      {u"깻잎", 0, kIns},      // 깬닙
      {u"베갯잇", 1, kIns},    // 베갠닏
      {u"뒷일", 0, kIns},      // 뒨닐
      {u"뒷윷", 0, kIns},      // 뒨뉻
      {u"도리깻열", 2, kIns},  // 도리깬녈
      {u"뒷이야기", 0, kIns},  // 뒨니야기
      // The ㅅ of a noun itself: 것 + the copula, 옷 + 일.
      {u"것일", 0, std::nullopt},
      {u"옷일", 0, std::nullopt},
      // 이 alone after the ㅅ is a particle, not a noun.
      {u"뒷이", 0, std::nullopt},
      // Not one of the syllables that follow 사이시옷 here.
      {u"뒷얘기", 0, std::nullopt},
      // Without ㅅ before them nothing is told by spelling.
      {u"꽃잎", 0, std::nullopt},
  };
  ExpectRulings(kCases, u"사이시옷");
}

TEST(CompoundRules, TwoSyllableSinoKoreanWordIsOneWord) {
  static constexpr Case kCases[] = {
      {u"석유", 0, kNot},  // 서규
      {u"식욕", 0, kNot},  // 시굑
      {u"절연", 0, kNot},  // 저련
      {u"국유", 0, kNot},  // 구규
      // Partly or not at all in hanja: the rules leave them.
      {u"담요", 0, std::nullopt},
      {u"앞일", 0, std::nullopt},
  };
  ExpectRulings(kCases, u"一語の漢字語");
}

TEST(CompoundRules, NounWithSuffixNounIsACompound) {
  static constexpr Case kCases[] = {
      {u"용산역", 1, kIns},  // 용산녁
      {u"방광염", 1, kIns},  // 방광념
      {u"공업용", 1, kIns},  // 공엄뇽
      {u"식용유", 1, kIns},  // 시굥뉴
      {u"물약", 0, kIns},    // 물략: 물藥, not one hanja word
      {u"내복약", 1, kIns},  // 내봉냑
      // A hanja prefix before a Sino-Korean word: 재 + 활용 → 재화룡.
      {u"재활용", 1, std::nullopt},
      // The head is no noun the lexicon knows.
      {u"신공업용", 2, std::nullopt},
      // The suffix noun must end the stem.
      {u"용산역을", 1, std::nullopt},
      // Not one of the suffix nouns.
      {u"용산연", 1, std::nullopt},
  };
  ExpectRulings(kCases, u"＋");
}

TEST(CompoundRules, TheStandardsExceptionsComeFirst) {
  static constexpr Case kCases[] = {
      {u"송별연", 1, kNot},   // 송벼련
      {u"등용문", 0, kNot},   // 등용문
      {u"육이오", 0, kNot},   // 6·25 → 유기오
      {u"삼일절", 0, kNot},   // 3·1절 → 사밀쩔
      {u"검열", 0, kEither},  // 檢閱 alone would be one word
      {u"금융", 0, kEither},  // 금늉, 그뮹
      {u"야금야금", 1, kEither},
      // Another junction of an exception is not the exception's.
      {u"삼일절", 1, std::nullopt},
  };
  ExpectRulings(kCases, u"標準発音");
}

TEST(CompoundRules, JunctionsThatCannotTakeNieunAreLeftAlone) {
  static constexpr Case kCases[] = {
      {u"국어", 0, std::nullopt},    // ㅓ takes no ㄴ
      {u"나무잎", 1, std::nullopt},  // no final before 잎
      {u"석유", 1, std::nullopt},    // no junction after the last syllable
  };
  ExpectRulings(kCases);
}

}  // namespace
}  // namespace pimoru
