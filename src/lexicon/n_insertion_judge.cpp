// A junction where a ㄴ may be inserted: between the parts of a compound
// (솜이불 → 솜니불), not before a particle, the copula or a suffix (솜이 →
// 소미), nor inside one Sino-Korean word (필요 → 피료).
#include <algorithm>
#include <string>
#include <vector>

#include "lexicon/judging.h"

namespace pimoru {
namespace {

// Across a space, read as one breath: two words meet there, and the second
// takes the ㄴ the way the parts of a compound do (한 일 → 한 닐), but a
// pause between them keeps it away.
Judgement BetweenWords(const Judging& j) {
  const WordQuestion& q = j.question();
  std::u16string why(q.word);
  why += kPlus;
  why += q.next_word;
  why += u"（二語の境目）";
  return Undecided(!q.next_word.empty(), std::move(why));
}

// For a word the lexicon does not know (커널이, 아이들이), whether what
// follows the junction is a particle or the copula: it is when the lexicon
// reads it so after a noun it knows. 일, 인 and 임 alone are nouns too
// (막일), and are left undecided.
Judgement ParticleAfterUnknownWord(const Judging& j) {
  constexpr std::u16string_view kStandIn = u"책";
  const WordQuestion& q = j.question();
  const std::u16string_view rest = q.word.substr(q.at + 1);
  if (rest == u"일" || rest == u"인" || rest == u"임") return {};
  const auto kept =
      j.forms().Readings(std::u16string(kStandIn) + std::u16string(rest));
  const std::vector<WordReading>& readings = *kept;
  if (readings.empty()) return {};
  for (const WordReading& r : readings) {
    if (r.stem != kStandIn ||
        (r.kind != FormKind::kParticle && r.kind != FormKind::kCopula)) {
      return {};
    }
  }
  std::u16string why(q.word.substr(0, q.at + 1));
  why += kPlus;
  why += rest;
  why += readings.front().kind == FormKind::kParticle ? u"（助詞）"
                                                      : u"（指定詞）";
  return Decided(Verdict::kNo, j.Because(why));
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

}  // namespace

Judgement JudgeNInsertion(const Judging& j) {
  if (!j.JunctionInWord()) return BetweenWords(j);
  if (j.readings().empty()) return ParticleAfterUnknownWord(j);
  return ByReadings(j);
}

}  // namespace pimoru
