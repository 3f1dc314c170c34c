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

#include "hangul/jamo.h"
#include "hangul/rules.h"
#include "pipeline/late_stages.h"
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

constexpr std::u16string_view kTensificationTitle = u"【濃音化】";
constexpr std::u16string_view kFutureQuestion =
    u"は動詞や形容詞の未来連体形ですか？";
constexpr std::u16string_view kSinoKind = u"漢字語";

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

// The position in kObstruentFinals of each final, by final number; -1 for
// a final that is not an obstruent.
constexpr std::array<int, kFinalCount + 1> MakeObstruentPositions() {
  std::array<int, kFinalCount + 1> positions{};
  positions.fill(-1);
  for (std::size_t k = 0; k < std::size(kObstruentFinals); ++k) {
    positions[kObstruentFinals[k].final_jamo - kFinalBase + 1] =
        static_cast<int>(k);
  }
  return positions;
}
constexpr auto kObstruentPositions = MakeObstruentPositions();

// Marks the step-4 pass whose pattern begins at `at`: an obstruent final
// followed by a plain initial.
void MarkObstruentBeforePlain(std::u16string_view text, std::size_t at,
                              RuleMarks& found) {
  if (at + 1 >= text.size() || !IsFinal(text[at])) return;
  const int final_position = kObstruentPositions[text[at] - kFinalBase + 1];
  if (final_position < 0) return;
  for (std::size_t p = 0; p < std::size(kTensing); ++p) {
    if (text[at + 1] == kTensing[p].plain) {
      found.Add(p * std::size(kObstruentFinals) +
                static_cast<std::size_t>(final_position));
      return;
    }
  }
}

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
bool TenseAfterEnding(std::u16string& text, const WordListEntry& entry,
                      Asker& asker) {
  bool changed = false;
  std::optional<Followers> followers;
  std::u16string pattern;
  std::u16string replacement;
  for (const Tensing& t : kTensing) {
    for (const bool across_space : {true, false}) {
      if (!followers) followers.emplace(text, entry.text);
      if (!followers->Has(t.plain, across_space)) continue;
      pattern.assign(entry.text);
      if (across_space) pattern += u' ';
      replacement.assign(pattern);
      pattern += t.plain;
      replacement += t.tense;
      const bool hit =
          entry.number == kTenseAlways
              ? ReplaceAll(text, pattern, replacement)
              : AskEachOccurrence(text, pattern, replacement,
                                  kTensificationTitle, kFutureQuestion, asker);
      if (hit) followers.reset();  // the text is new
      changed = hit || changed;
    }
  }
  return changed;
}

}  // namespace

std::span<const Rule> HieutSiotTensificationRules() { return kHieutSiotRules; }
std::span<const Rule> FutureTensificationRules() { return kFutureRules; }
std::span<const Rule> SinoTensificationRules() { return kSinoRules; }
std::span<const Rule> ObstruentTensificationRules() { return kObstruentRules; }

bool ApplyTensification3(std::u16string& text, WordListSource& lists,
                         Asker& asker) {
  const std::shared_ptr<const IndexedWordList> endings =
      lists.Indexed(WordListId::kRiulFuture);
  if (endings == nullptr) return false;
  const WordList& entries = endings->entries();
  PatternCandidates candidates(endings->index(), text);
  bool changed = false;
  for (std::size_t k = candidates.Next(); k < entries.size();
       k = candidates.Next()) {
    const WordListEntry& entry = entries[k];
    if (entry.number != kTenseAlways && entry.number != kAskFirst) continue;
    // An empty ending names nothing; its passes would tense every plain
    // initial of the text.
    if (entry.text.empty()) continue;
    // Every pass keeps the ending where it stands and writes it nowhere
    // else, so an ending that does not occur has nothing to do.
    if (Find(text, entry.text) == std::u16string::npos) continue;
    if (TenseAfterEnding(text, entry, asker)) {
      candidates.Rescan(text);
      changed = true;
    }
  }
  return changed;
}

bool ApplyTensification45(std::u16string& text, Asker& asker,
                          const LetterPairs* pairs) {
  static const RuleIndex kHieutSiotIndex(kHieutSiotRules);
  // The pairs tell of the text only until a step changes it.
  bool changed = (pairs == nullptr || kHieutSiotIndex.MayOccur(*pairs)) &&
                 ApplyRules(text, kHieutSiotIndex);
  // An occurrence refused in step 2 is asked again in step 3 when its
  // initial is ㄷ, ㅅ or ㅈ; one tensed in step 2 no longer matches.
  static const RuleIndex kFutureIndex(kFutureRules);
  static const RuleIndex kSinoIndex(kSinoRules);
  changed = AskEachRule(text, kFutureIndex, kTensificationTitle,
                        kFutureQuestion, asker, changed ? nullptr : pairs) ||
            changed;
  changed =
      AskEachJunctionRule(text, kSinoIndex, kSinoKind, kTensificationTitle,
                          asker, changed ? nullptr : pairs) ||
      changed;
  // A step-4 pass writes a tense initial, after a stop final or none, so it
  // never forms an obstruent final before a plain initial: only the passes
  // whose pattern stands in the text can match.
  // Its 75 passes have too many keys for the pairs to rule them out.
  changed =
      ApplyOccurringRules<MarkObstruentBeforePlain>(text, kObstruentRules) ||
      changed;
  return changed;
}

}  // namespace pimoru
