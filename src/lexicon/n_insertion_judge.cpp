// A junction where a ㄴ may be inserted: between the parts of a compound
// (솜이불 → 솜니불), not before a particle, the copula or a suffix (솜이 →
// 소미), nor inside one Sino-Korean word (필요 → 피료). The compound
// lexicon decides first, then the rules that need no entry, then the
// readings of the word.
#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hangul/jamo.h"
#include "lexicon/compound_lexicon.h"
#include "lexicon/compound_rules.h"
#include "lexicon/judging.h"

namespace pimoru {
namespace {

// What follows a noun, where every reading of a noun the lexicon knows
// with it is a particle or the copula (책 + 에서, 책 + 입니다): the kind of
// the first; nullopt otherwise.
std::optional<FormKind> ParticleOrCopula(const Judging& j,
                                         std::u16string_view rest,
                                         std::u16string_view stand_in = u"책") {
  const auto kept =
      j.forms().Readings(std::u16string(stand_in) + std::u16string(rest));
  const std::vector<WordReading>& readings = *kept;
  if (readings.empty()) return std::nullopt;
  for (const WordReading& r : readings) {
    if (r.stem != stand_in ||
        (r.kind != FormKind::kParticle && r.kind != FormKind::kCopula)) {
      return std::nullopt;
    }
  }
  return readings.front().kind;
}

// For a word the lexicon does not know (커널이, 아이들이), whether what
// follows the junction is a particle or the copula: it is when the lexicon
// reads it so after a noun it knows. 일, 인 and 임 alone are nouns too
// (막일), and are left undecided.
Judgement ParticleAfterUnknownWord(const Judging& j) {
  const WordQuestion& q = j.question();
  const std::u16string_view rest = q.word.substr(q.at + 1);
  if (rest == u"일" || rest == u"인" || rest == u"임") return {};
  std::optional<FormKind> kind = ParticleOrCopula(j, rest);
  // The copula with a particle after its ending: 것인가에, 채널이라고도.
  for (std::size_t cut = rest.size() - 1; !kind && cut > 0; --cut) {
    // The particle's form follows the ending's last syllable: 인지를,
    // 인가에.
    const std::u16string_view ending = rest.substr(0, cut);
    const bool after_vowel = DecomposeSyllable(ending.back()).size() == 2;
    if (ParticleOrCopula(j, ending) == FormKind::kCopula &&
        ParticleOrCopula(j, rest.substr(cut), after_vowel ? u"나무" : u"책") ==
            FormKind::kParticle) {
      kind = FormKind::kCopula;
    }
  }
  if (!kind) return {};
  std::u16string why(q.word.substr(0, q.at + 1));
  why += kPlus;
  why += rest;
  why += *kind == FormKind::kParticle ? u"（助詞）" : u"（指定詞）";
  return Decided(Verdict::kNo, j.Because(why));
}

// The nouns in which the junction stands, as the lexicon reads the word
// (꽃잎 of 꽃잎이, 필요 of 필요하다, never 날입 of 날입니다, which is 날
// with the copula), each once and in its order; for a word it does not know,
// the word itself and the word without a particle or the copula at its end
// (서울역 of 서울역에서), the longest first.
std::vector<std::u16string_view> NounsAround(const Judging& j) {
  const WordQuestion& q = j.question();
  std::vector<std::u16string_view> nouns;
  for (const Reading& r : j.readings()) {
    if (j.AfterStem(r)) continue;
    std::u16string_view noun = r.core;
    // A noun made a verb (불필요하다, 번역하다): the noun.
    if (IsVerbForm(r.reading->kind)) {
      const auto* v = std::find_if(
          std::begin(kVerbalisers), std::end(kVerbalisers),
          [&noun](std::u16string_view v) { return noun.ends_with(v); });
      if (v == std::end(kVerbalisers)) continue;
      noun.remove_suffix(v->size());
    }
    if (q.at + 1 >= std::min(noun.size(), r.own)) continue;
    if (std::find(nouns.begin(), nouns.end(), noun) == nouns.end()) {
      nouns.push_back(noun);
    }
  }
  if (!j.readings().empty()) return nouns;
  nouns.push_back(q.word);
  for (std::size_t end = q.word.size() - 1; end > q.at + 1; --end) {
    if (ParticleOrCopula(j, q.word.substr(end))) {
      nouns.push_back(q.word.substr(0, end));
    }
  }
  return nouns;
}

Judgement Taking(JunctionTakes takes, std::u16string reason) {
  switch (takes) {
    case JunctionTakes::kInserted:
      return Decided(Verdict::kYes, std::move(reason));
    case JunctionTakes::kNotInserted:
      return Decided(Verdict::kNo, std::move(reason));
    case JunctionTakes::kEither:
      break;
  }
  // Both readings are standard: the user chooses, offered the ㄴ.
  return Undecided(true, std::move(reason));
}

// A noun of the compound lexicon whose junction this is: "꽃＋잎（合成語）".
std::optional<Judgement> ByCompoundList(
    const Judging& j, std::vector<std::u16string_view> nouns) {
  // A listed word as typed, whole, whatever else the lexicon reads it as
  // (삯일, not 삯 with the copula).
  nouns.push_back(j.question().word);
  for (const std::u16string_view noun : nouns) {
    const CompoundEntry* entry = j.compounds().Find(noun);
    if (entry == nullptr) continue;
    const JunctionTakes* takes = entry->TakesAfter(j.question().at);
    if (takes == nullptr) continue;
    std::u16string why;
    for (const char16_t c : entry->parts) {
      if (c == u'+') {
        why += kPlus;
      } else {
        why += c;
      }
    }
    switch (*takes) {
      case JunctionTakes::kInserted:
        why += u"（合成語";
        break;
      case JunctionTakes::kNotInserted:
        why += u"（ㄴ挿入のない合成語";
        break;
      case JunctionTakes::kEither:
        why += u"（ㄴ挿入はどちらでも可";
        break;
    }
    why +=
        entry->source == CompoundSource::kUser ? u"、ユーザーの一覧）" : u"）";
    return Taking(*takes, std::move(why));
  }
  return std::nullopt;
}

// The rules that need no entry (나뭇잎, 용산역, 석유, 송별연), on the
// nouns around the junction.
std::optional<Judgement> ByCompoundRules(
    const Judging& j, const std::vector<std::u16string_view>& nouns) {
  const NounTest is_noun = [&j](std::u16string_view part) {
    const auto readings = j.forms().Readings(part);
    return std::any_of(
        readings->begin(), readings->end(),
        [](const WordReading& r) { return r.kind == FormKind::kBare; });
  };
  for (const std::u16string_view noun : nouns) {
    if (std::optional<CompoundRuling> ruling =
            JudgeByRules(noun, j.question().at, j.hanja(), is_noun)) {
      return Taking(ruling->takes, std::move(ruling->reason));
    }
  }
  return std::nullopt;
}

// Whether the word ends in a particle or in an ending that is no
// adnominal (부분을, 데비안은, 먹고, not 먹은 or 같은): the phrase breaks
// after it.
bool EndsAPhrase(const Judging& j) {
  const std::u16string_view word = j.question().word;
  const std::u16string last = DecomposeSyllable(word.back());
  const bool adnominal_final =
      last.size() == 3 && (last[2] == fin::kNieun || last[2] == fin::kRieul);
  if (j.readings().empty()) {
    for (std::size_t k = word.size() - 1; k > 0; --k) {
      if (ParticleOrCopula(j, word.substr(k)) == FormKind::kParticle) {
        return true;
      }
    }
    return false;
  }
  return std::all_of(
      j.readings().begin(), j.readings().end(),
      [&word, adnominal_final](const Reading& r) {
        return (r.reading->kind == FormKind::kParticle &&
                r.own == r.core.size() && r.own < word.size()) ||
               (r.reading->kind == FormKind::kEnding && !adnominal_final);
      });
}

// Across a space, read as one breath: two words meet there, and the second
// takes the ㄴ the way the parts of a compound do (한 일 → 한 닐), but a
// pause between them keeps it away, as does the break after a particle or
// an ending (부분을 인용하지 → 부부느리뇽하지).
Judgement BetweenWords(const Judging& j) {
  const WordQuestion& q = j.question();
  std::u16string why(q.word);
  why += kPlus;
  why += q.next_word;
  if (!q.next_word.empty() && EndsAPhrase(j)) {
    why += u"（助詞・語尾の後の二語の境目）";
    return Decided(Verdict::kNo, std::move(why));
  }
  why += u"（二語の境目）";
  return Undecided(!q.next_word.empty(), std::move(why));
}

// Why a reading rules out the ㄴ at the junction, or empty.
std::u16string NoInsertion(const Judging& j, const Reading& r) {
  const std::size_t at = j.question().at;
  if (j.AfterStem(r)) return j.Describe(r);
  // The suffix -이 of a noun or an adverb (같이, 길이, 고양이) or of a verb
  // stem (먹이다).
  if (at + 2 == r.core.size() && r.core[at + 1] == u'이') {
    return r.core + u"（接尾辞 -이）";
  }
  // Inside one Sino-Korean word of two syllables, in a stem made of such
  // words (필요, 적용, 번역).
  std::u16string_view stem = std::u16string_view(r.core).substr(0, r.own);
  for (const std::u16string_view v : kVerbalisers) {
    if (IsVerbForm(r.reading->kind) && stem.size() > v.size() &&
        stem.ends_with(v)) {
      stem.remove_suffix(v.size());
      break;
    }
  }
  const std::vector<Segment> segments = Segments(j.hanja(), stem);
  const bool all_words =
      std::all_of(segments.begin(), segments.end(),
                  [](const Segment& s) { return s.size >= 2; });
  if (!all_words) return {};
  for (const Segment& s : segments) {
    if (s.begin == at && s.size == 2) {
      Judgement named;
      return NameHanja(j.hanja(), stem.substr(s.begin, 2), named) +
             u"（一語の漢字語）";
    }
  }
  return {};
}

// The word split at the junction ("솜＋이불") where both parts are words
// the lexicon knows, which makes a compound likely; empty otherwise.
std::u16string CompoundParts(const Judging& j) {
  const auto known = [&j](std::u16string_view part) {
    const auto readings = j.forms().Readings(part);
    for (const WordReading& r : *readings) {
      if (r.kind == FormKind::kBare) return true;
    }
    return false;
  };
  const WordQuestion& q = j.question();
  const std::u16string_view head = q.word.substr(0, q.at + 1);
  std::u16string_view tail = q.word.substr(q.at + 1);
  for (const Reading& r : j.readings()) {
    if (r.own > q.at + 1) {
      tail = std::u16string_view(r.core).substr(q.at + 1);
      break;
    }
  }
  if (!known(head) || !known(tail)) return {};
  std::u16string parts(head);
  parts += kPlus;
  parts += tail;
  return parts;
}

// No when every reading rules the ㄴ out; otherwise undecided, with Yes
// guessed where the word splits into two words the lexicon knows.
Judgement ByReadings(const Judging& j) {
  // A reading that ends the stem at the junction says it best.
  std::u16string why;
  if (const Reading* after = j.FirstAfterStem()) why = j.Describe(*after);
  for (const Reading& r : j.readings()) {
    const std::u16string no = NoInsertion(j, r);
    if (no.empty()) {
      const std::u16string parts = CompoundParts(j);
      return Undecided(!parts.empty(),
                       j.Because(parts.empty() ? std::u16string(kUnsure)
                                               : parts + u"（合成語らしい）"));
    }
    if (why.empty()) why = no;
  }
  return Decided(Verdict::kNo, j.Because(why));
}

// A Yes of the list or the rules where the lexicon also reads the word as
// a verb's form that ends its stem at the junction (들일 of 읽어 들일 수:
// 들이다 + -ㄹ) stays a question, with Yes offered. An adnominal form
// needs a word after it to stand before; alone, 들일 is the noun.
Judgement UnlessAVerbEndsThere(const Judging& j, Judgement compound) {
  if (compound.verdict != Verdict::kYes) return compound;
  for (const Reading& r : j.readings()) {
    const FormKind kind = r.reading->kind;
    if (j.AfterStem(r) && IsVerbForm(kind) &&
        (kind != FormKind::kAdnominal || !j.question().next_word.empty())) {
      return Undecided(true, compound.reason + u"／" + j.Describe(r));
    }
  }
  return compound;
}

}  // namespace

Judgement JudgeNInsertion(const Judging& j) {
  if (!j.JunctionInWord()) return BetweenWords(j);
  const std::vector<std::u16string_view> nouns = NounsAround(j);
  if (auto listed = ByCompoundList(j, nouns)) {
    return UnlessAVerbEndsThere(j, *std::move(listed));
  }
  if (auto ruled = ByCompoundRules(j, nouns)) {
    return UnlessAVerbEndsThere(j, *std::move(ruled));
  }
  if (j.readings().empty()) return ParticleAfterUnknownWord(j);
  return ByReadings(j);
}

}  // namespace pimoru
