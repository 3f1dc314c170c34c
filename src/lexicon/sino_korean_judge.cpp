// A junction inside a Sino-Korean word: ㄹ after a final other than ㄴ and
// ㄹ is nasalised there (목록 → 몽녹), and ㄷ, ㅅ or ㅈ after a hanja's ㄹ is
// tensed (발달 → 발딸).
#include <algorithm>
#include <vector>

#include "lexicon/judging.h"

namespace pimoru {
namespace {

// What sets the two rules apart.
struct SinoKoreanRule {
  // A hanja said twice keeps its consonant plain (허허실실, 절절하다), but
  // is nasalised as any other (역력 → 영녁).
  bool said_twice_stays_plain;
  // The likelier answer where a Sino-Korean word meets another word: ㄹ is
  // nasalised there all the same, while a hanja's ㄹ tenses only inside
  // one word.
  bool guess_between_words;
};
constexpr SinoKoreanRule kNasalisation = {false, true};
constexpr SinoKoreanRule kTensification = {true, false};

// The junction after the syllable in question of a stem as the hanja
// dictionary reads it.
Judgement InStem(const Judging& j, std::u16string_view stem,
                 const SinoKoreanRule& rule) {
  const std::u16string_view word = j.question().word;
  const std::size_t at = j.question().at;
  const HanjaDictionary& hanja = j.hanja();
  if (rule.said_twice_stays_plain && word[at] == word[at + 1]) {
    return Decided(Verdict::kNo, j.Because(u"同じ漢字の重なり"));
  }
  if (!hanja.HasHanja(word[at]) || !hanja.HasHanja(word[at + 1])) {
    return Decided(Verdict::kNo, j.Because(u"漢字語の辞書になし"));
  }
  const std::vector<Segment> segments = Segments(hanja, stem);
  const auto holding = [&](std::size_t k) {
    return *std::find_if(
        segments.begin(), segments.end(),
        [k](const Segment& s) { return k >= s.begin && k < s.begin + s.size; });
  };
  const Segment left = holding(at);
  const Segment right = holding(at + 1);
  if (left.begin == right.begin) {
    Judgement one_word = Decided(Verdict::kYes, u"");
    const std::u16string spelling =
        NameHanja(hanja, stem.substr(left.begin, left.size), one_word);
    one_word.reason = Because(one_word.word, spelling + u"（漢字語）");
    return one_word;
  }
  // A Sino-Korean word and a syllable after it that ends the stem: a
  // suffix (식별자, 확인란).
  if (left.size >= 2 && right.size == 1 && at + 2 == stem.size()) {
    return WordWithSuffix(j, stem, left.begin);
  }
  // Two words of a compound, or a syllable before a word: the dictionary
  // cannot tell whether the rule reaches across.
  if (left.size >= 2 || right.size >= 2) {
    Judgement between = Undecided(rule.guess_between_words, u"");
    const Segment& named = left.size >= 2 ? left : right;
    const std::u16string spelling =
        NameHanja(hanja, stem.substr(named.begin, named.size), between);
    between.reason =
        Because(between.word, spelling + u"（漢字語）と別の語の境目");
    return between;
  }
  return Decided(Verdict::kNo, j.Because(u"漢字語の辞書になし"));
}

Judgement JudgeJunction(const Judging& j, const SinoKoreanRule& rule) {
  if (!j.JunctionInWord()) return {};
  const std::size_t span = j.StemSpan();
  const Reading* after = j.FirstAfterStem();
  if (span == 0) return Decided(Verdict::kNo, j.Because(j.Describe(*after)));
  Judgement judged = InStem(j, j.question().word.substr(0, span), rule);
  // A reading that puts the junction between a stem and its ending stands
  // against a hanja word that merely looks the same (팔자: 八字, and 팔다
  // with -자).
  if (after != nullptr && judged.verdict == Verdict::kYes) {
    judged.verdict = Verdict::kUnknown;
    judged.reason += u"／";
    judged.reason += j.Describe(*after);
  }
  return judged;
}

}  // namespace

Judgement JudgeSinoKoreanNasalisation(const Judging& j) {
  return JudgeJunction(j, kNasalisation);
}

Judgement JudgeSinoKoreanTensification(const Judging& j) {
  return JudgeJunction(j, kTensification);
}

}  // namespace pimoru
