#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "hangul/jamo.h"
#include "hangul/rules.h"
#include "pipeline/stages.h"

namespace pimoru {
namespace {

constexpr char16_t kSyllableUi = u'의';

// A stretch of the text [begin, end) that a rule must leave as it is.
struct Span {
  std::size_t begin;
  std::size_t end;
};

// Rewrites every piece of the text between the protected spans (ordered,
// not overlapping) on its own, so that no rule can match into a span, and
// keeps the spans as they are. Working out the places instead of hiding them
// behind marker texts leaves any typed text alone, markers included.
template <typename Rewrite>
bool RewriteOutside(std::u16string& text, std::span<const Span> spans,
                    Rewrite rewrite) {
  if (spans.empty()) return rewrite(text);
  std::u16string out;
  out.reserve(text.size());
  std::u16string piece;
  bool changed = false;
  std::size_t done = 0;
  for (const Span& span : spans) {
    piece.assign(text, done, span.begin - done);
    changed = rewrite(piece) || changed;
    out += piece;
    out.append(text, span.begin, span.end - span.begin);
    done = span.end;
  }
  piece.assign(text, done);
  changed = rewrite(piece) || changed;
  out += piece;
  text = std::move(out);
  return changed;
}

// The occurrences of `pattern`, left to right and not overlapping, as
// ReplaceAll would find them.
std::vector<Span> Occurrences(std::u16string_view text,
                              std::u16string_view pattern) {
  std::vector<Span> spans;
  for (std::size_t hit = Find(text, pattern); hit != std::u16string_view::npos;
       hit = Find(text, pattern, hit + pattern.size())) {
    spans.push_back({hit, hit + pattern.size()});
  }
  return spans;
}

// Stage 4: a 의 that does not begin a word is read 에 (우리의 → 우리에).
constexpr Rule kUiAsE[] = {
    {{kSyllableUi}, {u'에'}},  // 회의 시간 → 회에 시간
};

// Stage 8: ㅖ after a consonant is read ㅔ (계속 → 게속), for every initial
// but ㄹ: 례 keeps its ㅖ (사례, 실례).
constexpr auto kYeAsE = [] {
  std::array<Rule, kInitialCount - 1> rules{};
  std::size_t k = 0;
  for (int n = 1; n <= kInitialCount; ++n) {
    if (InitialJamo(n) == ini::kRieul) continue;
    Rule& rule = rules[k++];
    rule.pattern[0] = rule.replacement[0] = InitialJamo(n);
    rule.pattern[1] = med::kYe;
    rule.replacement[1] = med::kE;
  }
  return rules;
}();

// Stage 9: ㅢ after any initial but the silent ㅇ is read ㅣ (희망 → 히망).
constexpr auto kUiAsI = [] {
  std::array<Rule, kInitialCount - 1> rules{};
  std::size_t k = 0;
  for (int n = 1; n <= kInitialCount; ++n) {
    if (InitialJamo(n) == ini::kIeung) continue;
    Rule& rule = rules[k++];
    rule.pattern[0] = rule.replacement[0] = InitialJamo(n);
    rule.pattern[1] = med::kUi;
    rule.replacement[1] = med::kI;
  }
  return rules;
}();

}  // namespace

bool ApplyUiVariationWords(StageContext& c) {
  std::u16string& text = c.text;
  bool changed = false;
  if (const auto words = c.lists.Indexed(WordListId::kWi3Var)) {
    const WordList& entries = words->entries();
    Candidates candidates = c.ListCandidates(*words, text);
    for (std::size_t k = candidates.Next(); k < entries.size();
         k = candidates.Next()) {
      const std::u16string& word = entries[k].text;
      if (word.empty() || Find(text, word) == std::u16string::npos) continue;
      std::u16string read_with_i = word;
      std::replace(read_with_i.begin(), read_with_i.end(), kSyllableUi, u'이');
      // A listed word followed by a space is left to the general rule below
      // (회의 시간 → 회에 시간); elsewhere its 의 is read 이 (회의를 → 회이를).
      const std::vector<Span> before_space = Occurrences(text, word + u' ');
      if (RewriteOutside(text, before_space, [&](std::u16string& piece) {
            return ReplaceAll(piece, word, read_with_i);
          })) {
        candidates.Rescan(text);
        changed = true;
      }
    }
  }
  if (Find(text, std::u16string_view(&kSyllableUi, 1)) ==
      std::u16string::npos) {
    return changed;  // no 의 left to read
  }
  // 의 keeps its sound where it begins the text or a word (의사, 우리 의견).
  std::vector<Span> word_initial;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kSyllableUi && (i == 0 || text[i - 1] == u' ')) {
      word_initial.push_back({i, i + 1});
    }
  }
  static const RuleTable kUiAsETable(kUiAsE);
  return RewriteOutside(text, word_initial,
                        [&](std::u16string& piece) {
                          return c.ApplyRules(piece, kUiAsETable);
                        }) ||
         changed;
}

bool ApplyYeVariation(StageContext& c) {
  static const RuleTable kYeAsETable(kYeAsE);
  // A rule that matches nowhere in the text matches in none of its pieces.
  if (!c.MayStand(kYeAsETable)) return false;
  // 예 keeps its sound where it begins the text or follows a space (예의,
  // 지혜 예술); only U+0020 and a word boundary mark a word start here.
  const std::u16string_view view = c.jamo.view();
  std::vector<Span> word_initial;
  for (std::size_t i = 0; i + 1 < view.size(); ++i) {
    if (view[i] == ini::kIeung && view[i + 1] == med::kYe &&
        (i == 0 || view[i - 1] == u' ' || view[i - 1] == kWordBoundary)) {
      word_initial.push_back({i, i + 2});
    }
  }
  if (word_initial.empty()) return c.ApplyRules(kYeAsETable);
  std::u16string rewritten(view);
  if (!RewriteOutside(rewritten, word_initial, [&](std::u16string& piece) {
        return c.ApplyRules(piece, kYeAsETable);
      })) {
    return false;
  }
  c.jamo.Edit() = std::move(rewritten);
  return true;
}

bool ApplyUiVariation(StageContext& c) {
  static const RuleTable kTable(kUiAsI);
  return c.ApplyRules(kTable);
}

}  // namespace pimoru
