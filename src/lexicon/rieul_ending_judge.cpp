// The ㄹ of a -(으)ㄹ form, which tenses the consonant after it: inside the
// word, an ending that begins with it (할게 → 할께), and at the end of the
// word, the adnominal form before the next word (할 수 → 할 쑤).
#include <string>

#include "hangul/jamo.h"
#include "lexicon/judging.h"

namespace pimoru {
namespace {

// The nouns that only follow an adnominal form: after one of them the word
// before is the -(으)ㄹ form of a verb, not a noun that looks like it.
constexpr std::u16string_view kBoundNouns[] = {
    u"것", u"거", u"걸",   u"게", u"수", u"줄", u"때", u"데", u"바",
    u"리", u"뿐", u"만큼", u"적", u"지", u"듯", u"법", u"터",
};

// The -(으)ㄹ endings that tense what follows, after their ㄹ: "게" of
// -을게.
std::u16string_view TailOf(std::u16string_view affix) {
  constexpr std::u16string_view kHead = u"-을";
  return affix.starts_with(kHead) ? affix.substr(kHead.size())
                                  : std::u16string_view();
}

bool EndsInRieul(char16_t syllable) {
  return IsSyllable(syllable) &&
         DecomposeSyllable(syllable).ends_with(fin::kRieul);
}

bool StartsWithRieulTail(std::u16string_view rest) {
  for (const AffixClass& c : kAffixClasses) {
    if (c.kind != FormKind::kRieulEnding) continue;
    const std::u16string_view tail = TailOf(c.affix);
    if (!tail.empty() && rest.starts_with(tail)) return true;
  }
  return false;
}

// An ending that begins with -(으)ㄹ and a consonant at the ㄹ of the
// syllable in question, inside the word (할게, 할지, 먹을수록).
Judgement RieulEnding(const Judging& j) {
  const WordQuestion& q = j.question();
  const std::u16string_view rest = q.word.substr(q.at + 1);
  // Such an ending's ㄹ is a plain final, and one of the endings' tails
  // follows it, whatever the word (읽을: the ㄹ of 읽 is in ㄺ; 빌드: 드 is
  // no tail).
  if (!EndsInRieul(q.word[q.at]) || !StartsWithRieulTail(rest)) {
    return Decided(
        Verdict::kNo,
        j.Because(j.readings().empty() ? std::u16string(u"ㄹで始まる語尾なし")
                                       : j.Describe(j.readings()[0])));
  }
  // -지 before 않다, 못하다 or 말다 is the ending of the negation (들지
  // 않으면), not -(으)ㄹ지.
  if (rest == u"지") {
    for (const std::u16string_view negation : {u"않", u"못", u"말"}) {
      if (q.next_word.starts_with(negation)) {
        return Decided(Verdict::kNo, j.Because(u"-지（否定の語尾）"));
      }
    }
  }
  const Judging::Sides sides = j.SortReadings([&](const Reading& r) {
    const WordReading& w = *r.reading;
    if (w.kind == FormKind::kRieulEnding) {
      const std::u16string_view tail = TailOf(NameOfAffix(w.affix_class));
      return !tail.empty() && rest.starts_with(tail) && q.at + 1 >= r.own;
    }
    return (w.kind == FormKind::kPreFinal || w.kind == FormKind::kCopula) &&
           q.at >= r.own && StartsWithRieulTail(rest);
  });
  if (std::optional<Judgement> all = j.AllOrNone(sides)) return *all;
  // The readings disagree: the guess is what most of them say.
  return Undecided(2 * sides.count > static_cast<int>(j.readings().size()),
                   j.Both(sides));
}

// The bound noun that the next word is, alone or with a particle or the
// copula; empty when it is none.
std::u16string_view BoundNoun(const Judging& j) {
  const std::u16string_view next_word = j.question().next_word;
  if (next_word.empty()) return {};
  for (const std::u16string_view bound : kBoundNouns) {
    if (next_word == bound) return bound;
  }
  const auto readings = j.forms().Readings(next_word);
  for (const WordReading& r : *readings) {
    if (r.kind != FormKind::kParticle && r.kind != FormKind::kCopula) {
      continue;
    }
    for (const std::u16string_view bound : kBoundNouns) {
      if (r.stem == bound) return bound;
    }
  }
  return {};
}

// The -(으)ㄹ adnominal form at the end of the word, before the next one
// (할 수, 줄 때).
Judgement Adnominal(const Judging& j) {
  const std::size_t last = j.question().word.size() - 1;
  const Judging::Sides sides = j.SortReadings([&](const Reading& r) {
    const FormKind kind = r.reading->kind;
    return kind == FormKind::kAdnominal ||
           ((kind == FormKind::kPreFinal || kind == FormKind::kCopula) &&
            last >= r.own);
  });
  if (std::optional<Judgement> all = j.AllOrNone(sides)) return *all;
  if (const std::u16string_view bound = BoundNoun(j); !bound.empty()) {
    std::u16string why = j.Describe(*sides.yes);
    why += kPlus;
    why += bound;
    why += u"（依存名詞）";
    return Decided(Verdict::kYes, j.Because(why));
  }
  return Undecided(false, j.Both(sides));
}

}  // namespace

Judgement JudgeFutureAdnominal(const Judging& j) { return RieulEnding(j); }

// A listed ending that ends the word is the adnominal form; one inside it
// begins an ending.
Judgement JudgeListedEnding(const Judging& j) {
  const WordQuestion& q = j.question();
  return q.at + 1 == q.word.size() ? Adnominal(j) : RieulEnding(j);
}

}  // namespace pimoru
