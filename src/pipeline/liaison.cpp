// Stages 13 and 14: a final carried over to the next syllable. Stage 13
// first reduces it to ㄱ, ㄷ or ㅂ before ten linking words and after 못;
// stage 14 carries every other final over with its own sound.
#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

#include "hangul/jamo.h"
#include "hangul/rules.h"
#include "pipeline/stages.h"

namespace pimoru {
namespace {

// --- Stage 13: liaison through the representative sound --------------------

// Finals that are read as one representative consonant when carried over,
// in rule order, with the initial they become.
struct RepresentativeClass {
  std::u16string_view finals;
  char16_t initial;
};

constexpr char16_t kGiyeokClass[] = {fin::kGiyeok, fin::kSsangGiyeok,
                                     fin::kGiyeokSiot, fin::kKieuk};
constexpr char16_t kDigeutClass[] = {fin::kDigeut, fin::kSiot, fin::kJieut,
                                     fin::kChieut, fin::kTieut};
constexpr char16_t kBieupClass[] = {fin::kBieup, fin::kRieulBieup,
                                    fin::kRieulPieup, fin::kBieupSiot,
                                    fin::kPieup};

constexpr RepresentativeClass kRepresentativeClasses[] = {
    {{kGiyeokClass, std::size(kGiyeokClass)}, ini::kGiyeok},
    {{kDigeutClass, std::size(kDigeutClass)}, ini::kDigeut},
    {{kBieupClass, std::size(kBieupClass)}, ini::kBieup},
};

// The words before which a final is carried over as its representative
// sound, in the order their rules run. 안 with its space comes fifth: the
// space goes with the final, joining 안 to the word after it.
constexpr char16_t kAnE[] = {ini::kIeung, med::kA, fin::kNieun, ini::kIeung,
                             med::kE};  // 안에
constexpr char16_t kAnEul[] = {ini::kIeung, med::kA,  fin::kNieun,
                               ini::kIeung, med::kEu, fin::kRieul};  // 안을
constexpr char16_t kAnEu[] = {ini::kIeung, med::kA, fin::kNieun, ini::kIeung,
                              med::kEu};  // 안으
constexpr char16_t kAnJjok[] = {ini::kIeung, med::kA,
                                fin::kNieun, ini::kSsangJieut,
                                med::kO,     fin::kGiyeok};  // 안쪽
constexpr char16_t kAnSpace[] = {ini::kIeung, med::kA, fin::kNieun,
                                 u' '};  // 안 and the space after it
constexpr char16_t kIt[] = {ini::kIeung, med::kI, fin::kSsangSiot};    // 있
constexpr char16_t kEop[] = {ini::kIeung, med::kEo, fin::kBieupSiot};  // 없
constexpr char16_t kAni[] = {ini::kIeung, med::kA, ini::kNieun,
                             med::kI};  // 아니
constexpr char16_t kIpni[] = {ini::kIeung, med::kI, fin::kBieup, ini::kNieun,
                              med::kI};  // 입니
constexpr char16_t kIe[] = {ini::kIeung, med::kI, ini::kIeung,
                            med::kE};  // 이에

constexpr std::u16string_view Jamo(const auto& units) {
  return {units, std::size(units)};
}

constexpr std::u16string_view kLinkingWordsBeforeAn[] = {
    Jamo(kAnE), Jamo(kAnEul), Jamo(kAnEu), Jamo(kAnJjok), Jamo(kAnSpace)};
constexpr std::u16string_view kLinkingWordsAfterAn[] = {
    Jamo(kIt), Jamo(kEop), Jamo(kAni), Jamo(kIpni), Jamo(kIe)};

// What follows the carried-over consonant: the word without its silent ㅇ
// and without a trailing space.
constexpr std::u16string_view Tail(std::u16string_view word) {
  std::u16string_view tail = word.substr(1);
  if (!tail.empty() && tail.back() == u' ') tail.remove_suffix(1);
  return tail;
}

// 안 standing as a word of its own; the rule drops the space after it.
constexpr char16_t kStandaloneAn[] = {u' ', ini::kIeung, med::kA, fin::kNieun,
                                      u' '};

// The vowels after which 못 carries its ㅅ over as ㄷ: all but ㅑ, ㅕ, ㅛ, ㅠ
// and ㅣ, before which an ㄴ is inserted instead (못 이겨 stays).
constexpr char16_t kMotVowels[] = {med::kA,   med::kAe, med::kYae, med::kEo,
                                   med::kE,   med::kYe, med::kO,   med::kWa,
                                   med::kWae, med::kOe, med::kU,   med::kWo,
                                   med::kWe,  med::kWi, med::kEu,  med::kUi};

// Writes one side of a generated rule, a jamo or a run of jamo at a time.
class Spelling {
 public:
  constexpr explicit Spelling(char16_t* out) : out_(out) {}
  constexpr Spelling& operator<<(char16_t unit) {
    out_[size_++] = unit;
    return *this;
  }
  constexpr Spelling& operator<<(std::u16string_view run) {
    for (const char16_t unit : run) *this << unit;
    return *this;
  }

 private:
  char16_t* out_;
  std::size_t size_ = 0;
};

constexpr std::size_t kRulesPerWord =
    2 * (std::size(kGiyeokClass) + std::size(kDigeutClass) +
         std::size(kBieupClass));
constexpr std::size_t kLiaison1RuleCount =
    kRulesPerWord *
        (std::size(kLinkingWordsBeforeAn) + std::size(kLinkingWordsAfterAn)) +
    1 + 2 * std::size(kMotVowels);

constexpr std::array<Rule, kLiaison1RuleCount> BuildLiaison1Rules() {
  std::array<Rule, kLiaison1RuleCount> rules{};
  std::size_t next = 0;
  // Per class, first across one space (책 안에 → 채간에), then within the
  // word (책안에 → 채간에).
  auto add_word = [&](std::u16string_view word) {
    for (const RepresentativeClass& cls : kRepresentativeClasses) {
      for (const bool across_space : {true, false}) {
        for (const char16_t final_jamo : cls.finals) {
          Rule& rule = rules[next++];
          Spelling pattern(rule.pattern);
          pattern << final_jamo;
          if (across_space) pattern << u' ';
          pattern << word;
          Spelling(rule.replacement) << cls.initial << Tail(word);
        }
      }
    }
  };
  for (const std::u16string_view word : kLinkingWordsBeforeAn) add_word(word);
  {
    // 산 안 가 → 산 안가: the 안 not taken by a final above joins the next
    // word all the same.
    Rule& rule = rules[next++];
    const std::u16string_view standalone = Jamo(kStandaloneAn);
    Spelling(rule.pattern) << standalone;
    Spelling(rule.replacement) << standalone.substr(0, standalone.size() - 1);
  }
  for (const std::u16string_view word : kLinkingWordsAfterAn) add_word(word);
  // 못 와 → 모돠, then 잘못 알다 → 잘모달다.
  for (const bool across_space : {true, false}) {
    for (const char16_t vowel : kMotVowels) {
      Rule& rule = rules[next++];
      Spelling pattern(rule.pattern);
      pattern << ini::kMieum << med::kO << fin::kSiot;
      if (across_space) pattern << u' ';
      pattern << ini::kIeung << vowel;
      Spelling(rule.replacement)
          << ini::kMieum << med::kO << ini::kDigeut << vowel;
    }
  }
  return rules;
}

constexpr std::array<Rule, kLiaison1RuleCount> kLiaison1Rules =
    BuildLiaison1Rules();
// The count and the builder agree: a row too many would be written past the
// end, which no constant evaluation allows, and none is left empty.
static_assert(std::ranges::none_of(kLiaison1Rules, [](const Rule& rule) {
  return rule.Pattern().empty();
}));

// Read as one breath, before a word that begins with a vowel every final is
// carried over as the consonant it is spoken as at the end of a word (밭
// 아래 → 바다래, 늪 앞 → 느밥, 닭 앞에 → 다가페); ㅇ stays where it is. The
// boundary goes with it: the two words are spoken as one.
struct Carried {
  char16_t final_jamo;
  char16_t initial;
};
constexpr Carried kCarriedAcross[] = {
    {fin::kGiyeok, ini::kGiyeok},      {fin::kSsangGiyeok, ini::kGiyeok},
    {fin::kGiyeokSiot, ini::kGiyeok},  {fin::kKieuk, ini::kGiyeok},
    {fin::kRieulGiyeok, ini::kGiyeok}, {fin::kNieun, ini::kNieun},
    {fin::kNieunJieut, ini::kNieun},   {fin::kNieunHieut, ini::kNieun},
    {fin::kDigeut, ini::kDigeut},      {fin::kSiot, ini::kDigeut},
    {fin::kSsangSiot, ini::kDigeut},   {fin::kJieut, ini::kDigeut},
    {fin::kChieut, ini::kDigeut},      {fin::kTieut, ini::kDigeut},
    {fin::kHieut, ini::kDigeut},       {fin::kRieul, ini::kRieul},
    {fin::kRieulBieup, ini::kRieul},   {fin::kRieulSiot, ini::kRieul},
    {fin::kRieulTieut, ini::kRieul},   {fin::kRieulHieut, ini::kRieul},
    {fin::kMieum, ini::kMieum},        {fin::kRieulMieum, ini::kMieum},
    {fin::kBieup, ini::kBieup},        {fin::kBieupSiot, ini::kBieup},
    {fin::kRieulPieup, ini::kBieup},   {fin::kPieup, ini::kBieup},
};
static_assert(std::size(kCarriedAcross) == kFinalCount - 1);

constexpr auto kAcrossWordLiaisonRules = [] {
  std::array<Rule, std::size(kCarriedAcross)> rules{};
  std::size_t n = 0;
  for (const Carried& carried : kCarriedAcross) {
    rules[n++] = {{carried.final_jamo, kWordBoundary, ini::kIeung},
                  {carried.initial}};
  }
  return rules;
}();

// --- Stage 14: ordinary liaison --------------------------------------------

// A single final moves over whole; of a double final the second consonant
// moves and the first stays. ㅇ and ㅎ have no rule.
constexpr Rule kLiaison2Rules[] = {
    {{fin::kGiyeok, ini::kIeung}, {ini::kGiyeok}},  // 먹어 → 머거
    {{fin::kKieuk, ini::kIeung}, {ini::kKieuk}},    // 부엌에 → 부어케
    {{fin::kSsangGiyeok, ini::kIeung}, {ini::kSsangGiyeok}},  // 밖에 → 바께
    {{fin::kRieulGiyeok, ini::kIeung},
     {fin::kRieul, ini::kGiyeok}},  // 읽어 → 일거
    {{fin::kGiyeokSiot, ini::kIeung},
     {fin::kGiyeok, ini::kSiot}},                 // 넋이 → 넉시
    {{fin::kNieun, ini::kIeung}, {ini::kNieun}},  // 안에 → 아네
    {{fin::kNieunJieut, ini::kIeung},
     {fin::kNieun, ini::kJieut}},                         // 앉아 → 안자
    {{fin::kNieunHieut, ini::kIeung}, {ini::kNieun}},     // 않아 → 아나
    {{fin::kDigeut, ini::kIeung}, {ini::kDigeut}},        // 받아 → 바다
    {{fin::kSiot, ini::kIeung}, {ini::kSiot}},            // 옷이 → 오시
    {{fin::kSsangSiot, ini::kIeung}, {ini::kSsangSiot}},  // 있어 → 이써
    {{fin::kJieut, ini::kIeung}, {ini::kJieut}},          // 낮에 → 나제
    {{fin::kChieut, ini::kIeung}, {ini::kChieut}},        // 꽃을 → 꼬츨
    {{fin::kTieut, ini::kIeung}, {ini::kTieut}},          // 밭을 → 바틀
    {{fin::kRieul, ini::kIeung}, {ini::kRieul}},          // 물이 → 무리
    {{fin::kRieulSiot, ini::kIeung},
     {fin::kRieul, ini::kSiot}},  // 외곬으로 → 외골스로
    {{fin::kRieulTieut, ini::kIeung},
     {fin::kRieul, ini::kTieut}},  // 핥아 → 할타
    // The ㅎ is silent and ㄹ stays final: 싫어 → 실어. Rule 15 has already
    // run, so the ㄹ + ㅇ left here is not carried over.
    {{fin::kRieulHieut, ini::kIeung}, {fin::kRieul, ini::kIeung}},
    {{fin::kRieulBieup, ini::kIeung},
     {fin::kRieul, ini::kBieup}},                 // 밟아 → 발바
    {{fin::kMieum, ini::kIeung}, {ini::kMieum}},  // 몸이 → 모미
    {{fin::kRieulMieum, ini::kIeung},
     {fin::kRieul, ini::kMieum}},                 // 젊어 → 절머
    {{fin::kBieup, ini::kIeung}, {ini::kBieup}},  // 입어 → 이버
    {{fin::kPieup, ini::kIeung}, {ini::kPieup}},  // 앞에 → 아페
    {{fin::kBieupSiot, ini::kIeung}, {fin::kBieup, ini::kSiot}},  // 값이 → 갑시
    {{fin::kRieulPieup, ini::kIeung},
     {fin::kRieul, ini::kPieup}},  // 읊어 → 을퍼
};

}  // namespace

bool ApplyLiaison1(StageContext& c) {
  static const RuleTable kTable(kLiaison1Rules);
  // A space at each end lets the rules that need one match at the ends of
  // the text too; trimming takes them off again and is not a change.
  c.jamo.Pad(u' ');
  const bool changed = ApplyRules(c.jamo, kTable);
  c.jamo.Trim();
  return ApplyAcrossWords<kAcrossWordLiaisonRules>(c) || changed;
}

bool ApplyLiaison2(StageContext& c) {
  static const RuleTable kTable(kLiaison2Rules);
  return ApplyRules(c.jamo, kTable);
}

}  // namespace pimoru
