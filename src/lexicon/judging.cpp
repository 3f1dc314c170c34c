#include "lexicon/judging.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "lexicon/hanja_ranking.h"

namespace pimoru {
namespace {

constexpr std::u16string_view kEquals = u"＝";

using KindJudge = Judgement (*)(const Judging&);

struct KindJudging {
  QuestionKind kind;
  KindJudge judge;
};

constexpr KindJudging kJudges[] = {
    {QuestionKind::kNInsertion, JudgeNInsertion},
    {QuestionKind::kSinoKoreanSuffix, JudgeSinoKoreanSuffix},
    {QuestionKind::kSinoKoreanNasalisation, JudgeSinoKoreanNasalisation},
    {QuestionKind::kSinoKoreanTensification, JudgeSinoKoreanTensification},
    {QuestionKind::kFutureAdnominal, JudgeFutureAdnominal},
    {QuestionKind::kListedEnding, JudgeListedEnding},
    // The stage that asks guesses from the words around the number.
    {QuestionKind::kNativeNumeral, nullptr},
};

constexpr bool AJudgePerKind() {
  if (std::size(kJudges) != std::size(kQuestionKinds)) return false;
  for (std::size_t k = 0; k < std::size(kJudges); ++k) {
    if (kJudges[k].kind != kQuestionKinds[k].kind) return false;
  }
  return true;
}
static_assert(AJudgePerKind(), "a judge per kind, in the kinds' order");

Reading ReadingIn(const WordReading& reading, std::u16string_view word) {
  Reading r{&reading, reading.stem};
  if (IsVerbForm(reading.kind) && r.core.ends_with(u'다')) r.core.pop_back();
  while (r.own < r.core.size() && r.own < word.size() &&
         r.core[r.own] == word[r.own]) {
    ++r.own;
  }
  return r;
}

}  // namespace

Judgement JudgeWord(const WordSources& sources, const WordQuestion& question) {
  const KindJudge judge =
      kJudges[static_cast<std::size_t>(question.kind)].judge;
  if (judge == nullptr || question.word.empty() ||
      question.at >= question.word.size()) {
    return {};
  }
  const Judging judging(sources, question);
  Judgement j = judge(judging);
  if (j.reason.empty()) j.reason = judging.Because(kUnsure);
  return j;
}

bool IsVerbForm(FormKind kind) {
  return kind == FormKind::kPreFinal || kind == FormKind::kAdnominal ||
         kind == FormKind::kRieulEnding || kind == FormKind::kEnding;
}

std::u16string Because(std::u16string_view word, std::u16string_view why) {
  std::u16string reason(word);
  reason += kEquals;
  reason += why;
  return reason;
}

Judgement Decided(Verdict verdict, std::u16string reason) {
  Judgement j;
  j.verdict = verdict;
  j.guess = verdict == Verdict::kYes;
  j.reason = std::move(reason);
  return j;
}

Judgement Undecided(bool guess, std::u16string reason) {
  Judgement j;
  j.guess = guess;
  j.reason = std::move(reason);
  return j;
}

std::vector<Segment> Segments(const HanjaDictionary& hanja,
                              std::u16string_view text) {
  std::vector<Segment> segments;
  for (std::size_t k = 0; k < text.size();) {
    std::size_t size = hanja.LongestHanjaWord(text.substr(k));
    if (size < 2) size = 1;
    segments.push_back({k, size});
    k += size;
  }
  return segments;
}

std::u16string NameHanja(const HanjaDictionary& hanja, std::u16string_view word,
                         Judgement& j) {
  const std::vector<HanjaEntry> ranked = RankedHanja(hanja, word);
  if (ranked.empty()) return {};
  j.word = std::u16string(ranked.front().hangul);
  j.hanja = ShownHanja(ranked);
  return std::u16string(ranked.front().hanja);
}

Judging::Judging(const WordSources& sources, const WordQuestion& question)
    : sources_(sources),
      q_(question),
      kept_(sources.forms.Readings(question.word)) {
  for (const WordReading& r : *kept_) {
    in_word_.push_back(ReadingIn(r, q_.word));
  }
}

std::size_t Judging::StemSpan() const {
  if (in_word_.empty()) return q_.word.size();
  std::size_t span = 0;
  for (const Reading& r : in_word_) {
    if (AfterStem(r)) continue;
    std::size_t size = r.own;
    if (IsVerbForm(r.reading->kind) && size == r.core.size()) {
      for (const std::u16string_view v : kVerbalisers) {
        if (r.core.ends_with(v) && size > v.size() &&
            q_.at + 1 < size - v.size()) {
          size -= v.size();
          break;
        }
      }
    }
    span = std::max(span, size);
  }
  return span;
}

const Reading* Judging::FirstAfterStem() const {
  for (const Reading& r : in_word_) {
    if (AfterStem(r)) return &r;
  }
  return nullptr;
}

std::u16string Judging::Describe(const Reading& r) const {
  const WordReading& w = *r.reading;
  std::u16string text;
  switch (w.kind) {
    case FormKind::kBare:
      return w.stem;
    case FormKind::kParticle:
    case FormKind::kCopula:
      text = r.core;
      if (r.own == r.core.size() && r.own < q_.word.size()) {
        text += kPlus;
        text += q_.word.substr(r.own);
      }
      text += w.kind == FormKind::kParticle ? u"（助詞）" : u"（指定詞）";
      return text;
    default:
      text = w.stem;
      text += kPlus;
      if (const std::u16string_view name = NameOfAffix(w.affix_class);
          !name.empty() && w.kind != FormKind::kPreFinal) {
        text += name;
      } else {
        text += u"語尾";
      }
      return text;
  }
}

std::optional<Judgement> Judging::AllOrNone(const Sides& sides) const {
  if (in_word_.empty()) return Judgement{};
  if (sides.no == nullptr) {
    return Decided(Verdict::kYes, Because(Describe(*sides.yes)));
  }
  if (sides.yes == nullptr) {
    return Decided(Verdict::kNo, Because(Describe(*sides.no)));
  }
  return std::nullopt;
}

std::u16string Judging::Both(const Sides& sides) const {
  return Because(Describe(*sides.yes) + u"／" + Describe(*sides.no));
}

Judgement WordWithSuffix(const Judging& j, std::u16string_view stem,
                         std::size_t begin) {
  const std::size_t at = j.question().at;
  Judgement suffixed = Decided(Verdict::kYes, u"");
  std::u16string why =
      NameHanja(j.hanja(), stem.substr(begin, at + 1 - begin), suffixed);
  why += kPlus;
  why += stem[at + 1];
  why += u"（漢字語＋接尾辞）";
  suffixed.reason = Because(stem.substr(begin, at + 2 - begin), why);
  return suffixed;
}

}  // namespace pimoru
