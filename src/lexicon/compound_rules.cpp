#include "lexicon/compound_rules.h"

#include <algorithm>
#include <utility>

#include "hangul/jamo.h"

namespace pimoru {
namespace {

constexpr std::u16string_view kEquals = u"＝";
constexpr std::u16string_view kPlus = u"＋";

// The words the standard names, and the one junction each is about.
struct Exception {
  std::u16string_view word;
  std::size_t at;
  JunctionTakes takes;
};
constexpr Exception kStandardExceptions[] = {
    {u"육이오", 0, JunctionTakes::kNotInserted},  // 6·25 → 유기오
    {u"삼일절", 0, JunctionTakes::kNotInserted},  // 3·1절 → 사밀쩔
    {u"송별연", 1, JunctionTakes::kNotInserted},  // 송별연 → 송벼련
    {u"등용문", 0, JunctionTakes::kNotInserted},  // 등용문 → 등용문
    {u"이죽이죽", 1, JunctionTakes::kEither},     // 이중니죽, 이주기죽
    {u"야금야금", 1, JunctionTakes::kEither},     // 야금냐금, 야그먀금
    {u"검열", 0, JunctionTakes::kEither},         // 검녈, 거멸
    {u"욜랑욜랑", 1, JunctionTakes::kEither},     // 욜랑뇰랑, 욜랑욜랑
    {u"금융", 0, JunctionTakes::kEither},         // 금늉, 그뮹
};

// What may follow the ㅅ of 사이시옷 to make ㄴㄴ; 이 only as the start of
// a longer noun (이야기), since 이 alone after a noun is its particle.
constexpr std::u16string_view kAfterSaisiot = u"이잎잇일윷열";

// The one-syllable nouns that end names: 驛, 藥, 油, 用, 炎.
constexpr std::u16string_view kSuffixNouns = u"역약유용염";

// The hanja prefixes that stand before a Sino-Korean word as 재 before
// 활용 (재활용 → 재화룡, not 재활 + 용).
constexpr std::u16string_view kHanjaPrefixes = u"재비불무미반몰탈총준초부";

std::u16string Split(std::u16string_view stem, std::size_t at,
                     std::u16string_view head, std::u16string_view why) {
  std::u16string text(stem);
  text += kEquals;
  text += head;
  text += kPlus;
  text += stem.substr(at + 1);
  text += why;
  return text;
}

bool Contains(std::u16string_view set, char16_t c) {
  return set.find(c) != std::u16string_view::npos;
}

// The syllable without its final ㅅ: 뭇 → 무; 0 when it has no final ㅅ.
char16_t WithoutSiot(char16_t syllable) {
  const std::u16string jamo = DecomposeSyllable(syllable);
  if (jamo.size() != 3 || jamo[2] != fin::kSiot) return 0;
  return ComposeGroup(jamo.substr(0, 2))[0];
}

}  // namespace

std::optional<CompoundRuling> StandardException(std::u16string_view stem,
                                                std::size_t at) {
  for (const Exception& e : kStandardExceptions) {
    if (e.word != stem || e.at != at) continue;
    std::u16string reason(stem);
    reason += e.takes == JunctionTakes::kEither
                  ? u"（標準発音でどちらの発音も可）"
                  : u"（標準発音の例外）";
    return CompoundRuling{e.takes, std::move(reason)};
  }
  return std::nullopt;
}

std::optional<CompoundRuling> SaisiotCompound(std::u16string_view stem,
                                              std::size_t at,
                                              const NounTest& is_noun) {
  if (at + 1 >= stem.size() || !Contains(kAfterSaisiot, stem[at + 1])) {
    return std::nullopt;
  }
  const char16_t bare = WithoutSiot(stem[at]);
  if (bare == 0) return std::nullopt;
  // The ㅅ is a noun's own (옷, 것), not the one between two nouns.
  const std::u16string_view with_siot = stem.substr(0, at + 1);
  if (is_noun(with_siot)) return std::nullopt;
  std::u16string head(stem.substr(0, at));
  head += bare;
  if (!is_noun(head)) return std::nullopt;
  const std::u16string_view tail = stem.substr(at + 1);
  if (stem[at + 1] == u'이') {
    bool noun = false;
    for (std::size_t size = tail.size(); size >= 2 && !noun; --size) {
      noun = is_noun(tail.substr(0, size));
    }
    if (!noun) return std::nullopt;
  }
  return CompoundRuling{JunctionTakes::kInserted,
                        Split(stem, at, head, u"（사이시옷の合成語）")};
}

std::optional<CompoundRuling> OneSinoKoreanWord(std::u16string_view stem,
                                                std::size_t at,
                                                const HanjaDictionary& hanja) {
  if (stem.size() != 2 || at != 0) return std::nullopt;
  const std::optional<HanjaEntry> entry = hanja.HanjaWord(stem);
  if (!entry) return std::nullopt;
  std::u16string reason(stem);
  reason += kEquals;
  reason += entry->hanja;
  reason += u"（一語の漢字語）";
  return CompoundRuling{JunctionTakes::kNotInserted, std::move(reason)};
}

std::optional<CompoundRuling> NounWithSuffixNoun(std::u16string_view stem,
                                                 std::size_t at,
                                                 const HanjaDictionary& hanja,
                                                 const NounTest& is_noun) {
  if (at + 2 != stem.size() || !Contains(kSuffixNouns, stem[at + 1]) ||
      !CanTakeInsertedNieun(stem[at], stem[at + 1])) {
    return std::nullopt;
  }
  const std::u16string_view head = stem.substr(0, at + 1);
  if (!is_noun(head)) return std::nullopt;
  if (at == 1 && Contains(kHanjaPrefixes, stem[0]) &&
      hanja.HanjaWord(stem.substr(1))) {
    return std::nullopt;
  }
  return CompoundRuling{JunctionTakes::kInserted,
                        Split(stem, at, head, u"（名詞＋一音節の名詞）")};
}

std::optional<CompoundRuling> JudgeByRules(std::u16string_view stem,
                                           std::size_t at,
                                           const HanjaDictionary& hanja,
                                           const NounTest& is_noun) {
  if (at + 1 >= stem.size() || !CanTakeInsertedNieun(stem[at], stem[at + 1])) {
    return std::nullopt;
  }
  if (auto ruling = StandardException(stem, at)) return ruling;
  if (auto ruling = SaisiotCompound(stem, at, is_noun)) return ruling;
  if (auto ruling = OneSinoKoreanWord(stem, at, hanja)) return ruling;
  return NounWithSuffixNoun(stem, at, hanja, is_noun);
}

}  // namespace pimoru
