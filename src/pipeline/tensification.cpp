// Stages 18 to 20: plain consonants made tense after listed endings (chiefly
// the future adnominal ㄹ), after final ㄹ where the word calls for it, and
// after every obstruent final.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "hangul/ask.h"
#include "hangul/jamo.h"
#include "hangul/rules.h"
#include "pipeline/stages.h"

namespace pimoru {
namespace {

// The plain initials in the order the stages try them, with their tense
// counterparts.
struct Tensing {
  char16_t plain;
  char16_t tense;
};
constexpr Tensing kTensing[] = {
    {ini::kGiyeok, ini::kSsangGiyeok}, {ini::kDigeut, ini::kSsangDigeut},
    {ini::kBieup, ini::kSsangBieup},   {ini::kSiot, ini::kSsangSiot},
    {ini::kJieut, ini::kSsangJieut},
};

// Kinds of a riul_future.txt entry; any other kind is ignored.
constexpr int kTenseAlways = 0;
constexpr int kAskFirst = 1;

// Step 1: 좋소 → 조쏘, the final ㅎ merging into the tense ㅆ.
constexpr Rule kHieutSiotRules[] = {
    {{fin::kHieut, ini::kSiot}, {ini::kSsangSiot}},
};

// Step 2: final ㄹ before each plain initial, asked as a future adnominal
// form (할게 → 할께).
constexpr std::array<Rule, std::size(kTensing)> MakeFutureRules() {
  std::array<Rule, std::size(kTensing)> rules{};
  std::size_t n = 0;
  for (const Tensing& t : kTensing) {
    rules[n++] = {{fin::kRieul, t.plain}, {fin::kRieul, t.tense}};
  }
  return rules;
}
constexpr auto kFutureRules = MakeFutureRules();

// Step 3: ㄹ before ㄷ, ㅅ, ㅈ in a Sino-Korean word (발달 → 발딸).
constexpr Rule kSinoRules[] = {
    {{fin::kRieul, ini::kDigeut}, {fin::kRieul, ini::kSsangDigeut}},
    {{fin::kRieul, ini::kSiot}, {fin::kRieul, ini::kSsangSiot}},
    {{fin::kRieul, ini::kJieut}, {fin::kRieul, ini::kSsangJieut}},
};

// Step 4: the obstruent finals in the order they are tried, each with the
// stop it is reduced to and the plain initial of its own place, into whose
// tense form it merges.
struct ObstruentFinal {
  char16_t final_jamo;
  char16_t stop;
  char16_t same_place;
};
constexpr ObstruentFinal kObstruentFinals[] = {
    {fin::kGiyeok, fin::kGiyeok, ini::kGiyeok},
    {fin::kKieuk, fin::kGiyeok, ini::kGiyeok},
    {fin::kSsangGiyeok, fin::kGiyeok, ini::kGiyeok},
    {fin::kRieulGiyeok, fin::kGiyeok, ini::kGiyeok},
    {fin::kGiyeokSiot, fin::kGiyeok, ini::kGiyeok},
    {fin::kDigeut, fin::kDigeut, ini::kDigeut},
    {fin::kSiot, fin::kDigeut, ini::kDigeut},
    {fin::kSsangSiot, fin::kDigeut, ini::kDigeut},
    {fin::kJieut, fin::kDigeut, ini::kDigeut},
    {fin::kChieut, fin::kDigeut, ini::kDigeut},
    {fin::kTieut, fin::kDigeut, ini::kDigeut},
    {fin::kBieup, fin::kBieup, ini::kBieup},
    {fin::kPieup, fin::kBieup, ini::kBieup},
    {fin::kBieupSiot, fin::kBieup, ini::kBieup},
    {fin::kRieulPieup, fin::kBieup, ini::kBieup},
};
constexpr std::size_t kObstruentRuleCount =
    std::size(kTensing) * std::size(kObstruentFinals);

// For each plain initial, every obstruent final before it: 학교 → 하꾜 and
// 듣다 → 드따 (same place: the final merges), 국밥 → 국빱, 옷장 → 옫짱,
// 앞집 → 압찝.
constexpr std::array<Rule, kObstruentRuleCount> MakeObstruentRules() {
  std::array<Rule, kObstruentRuleCount> rules{};
  std::size_t n = 0;
  for (const Tensing& t : kTensing) {
    for (const ObstruentFinal& f : kObstruentFinals) {
      if (f.same_place == t.plain) {
        rules[n++] = {{f.final_jamo, t.plain}, {t.tense}};
      } else {
        rules[n++] = {{f.final_jamo, t.plain}, {f.stop, t.tense}};
      }
    }
  }
  return rules;
}
constexpr auto kObstruentRules = MakeObstruentRules();

// Read as one breath, the same across a word boundary: 옷 장 → 옫 짱.
constexpr auto kObstruentAcrossRules = AcrossWordBoundary(kObstruentRules);
static_assert(AllAcross(kObstruentAcrossRules));

// Read as one breath, the listed endings still see the next word as after a
// space: while stage 18 runs, each word boundary is a space again. Its
// passes only tense an initial, one unit for one, so every boundary is
// where it was when they are done.
class BoundariesAsSpaces {
 public:
  BoundariesAsSpaces(JamoText& text, bool phrase) : text_(text) {
    if (!phrase) return;
    const std::u16string_view view = text.view();
    for (std::size_t i = 0; i < view.size(); ++i) {
      if (view[i] == kWordBoundary) places_.push_back(i);
    }
    if (!places_.empty()) Set(u' ');
  }
  ~BoundariesAsSpaces() {
    if (!places_.empty()) Set(kWordBoundary);
  }
  BoundariesAsSpaces(const BoundariesAsSpaces&) = delete;
  BoundariesAsSpaces& operator=(const BoundariesAsSpaces&) = delete;

 private:
  void Set(char16_t unit) {
    std::u16string& text = text_.Edit();
    for (const std::size_t place : places_) text[place] = unit;
  }

  JamoText& text_;
  std::vector<std::size_t> places_;
};

// Which plain initials stand right after an ending somewhere in a text, and
// which after the ending and one space.
struct Followers {
  Followers(std::u16string_view text, std::u16string_view ending) {
    for (std::size_t hit = Find(text, ending); hit != std::u16string_view::npos;
         hit = Find(text, ending, hit + 1)) {
      const std::size_t after = hit + ending.size();
      if (after < text.size()) Add(direct, text[after]);
      if (after + 1 < text.size() && text[after] == u' ') {
        Add(after_space, text[after + 1]);
      }
    }
  }
  static void Add(std::uint32_t& set, char16_t letter) {
    if (IsInitial(letter)) set |= std::uint32_t{1} << (letter - kInitialBase);
  }
  bool Has(char16_t initial, bool across_space) const {
    return ((across_space ? after_space : direct) >> (initial - kInitialBase) &
            1u) != 0;
  }

  std::uint32_t direct = 0;
  std::uint32_t after_space = 0;
};

// The ten passes of one riul_future.txt entry: for each plain initial, the
// next word's first consonant (할 수 → 할 쑤), then the consonant right after
// the ending in the same word (할게 → 할께). A pass whose pattern does not
// stand in the text is passed over without building it.
bool TenseAfterEnding(JamoText& text, const WordListEntry& entry,
                      Asking& asking) {
  bool changed = false;
  std::optional<Followers> followers;
  std::u16string pattern;
  std::u16string replacement;
  std::vector<std::size_t> written_at;
  for (const Tensing& t : kTensing) {
    for (const bool across_space : {true, false}) {
      if (!followers) followers.emplace(text.view(), entry.text);
      if (!text.plain() && !followers->Has(t.plain, across_space)) continue;
      pattern.assign(entry.text);
      if (across_space) pattern += u' ';
      replacement.assign(pattern);
      pattern += t.plain;
      replacement += t.tense;
      written_at.clear();
      const bool hit =
          entry.number == kTenseAlways
              ? text.ReplaceAll(pattern, replacement, written_at)
              : AskEachOccurrence(text, pattern, replacement,
                                  QuestionKind::kListedEnding, asking);
      if (hit) followers.reset();  // the text is new
      changed = hit || changed;
    }
  }
  return changed;
}

}  // namespace

bool ApplyTensification3(StageContext& c) {
  const IndexedWordList* const endings =
      c.lists.Indexed(WordListId::kRiulFuture);
  if (endings == nullptr) return false;
  JamoText& text = c.jamo;
  const BoundariesAsSpaces spaces(text, c.options.phrase_flg);
  const WordList& entries = endings->entries();
  Candidates candidates = c.ListCandidates(*endings, text.view());
  bool changed = false;
  for (std::size_t k = candidates.Next(); k < entries.size();
       k = candidates.Next()) {
    const WordListEntry& entry = entries[k];
    if (entry.number != kTenseAlways && entry.number != kAskFirst) continue;
    // An empty ending names nothing; its passes would tense every plain
    // initial of the text.
    if (entry.text.empty()) continue;
    if (TenseAfterEnding(text, entry, c.asking)) {
      candidates.Rescan(text.view());
      changed = true;
    }
  }
  return changed;
}

bool ApplyTensification45(StageContext& c) {
  static const RuleTable kHieutSiotTable(kHieutSiotRules);
  static const RuleTable kFutureTable(kFutureRules);
  static const RuleTable kSinoTable(kSinoRules);
  static const RuleTable kObstruentTable(kObstruentRules);
  bool changed = ApplyRules(c.jamo, kHieutSiotTable);
  // An occurrence refused in step 2 is asked again in step 3 when its
  // initial is ㄷ, ㅅ or ㅈ; one tensed in step 2 no longer matches.
  changed = AskEachRule(c.jamo, kFutureTable, QuestionKind::kFutureAdnominal,
                        c.asking) ||
            changed;
  changed = AskEachRule(c.jamo, kSinoTable,
                        QuestionKind::kSinoKoreanTensification, c.asking) ||
            changed;
  changed = ApplyRules(c.jamo, kObstruentTable) || changed;
  return ApplyAcrossWords<kObstruentAcrossRules>(c) || changed;
}

}  // namespace pimoru
