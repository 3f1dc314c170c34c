#include "lexicon/dictionary.h"

#include <algorithm>
#include <cstdlib>
#include <thread>
#include <utility>
#include <vector>

#include "hangul/jamo.h"
#include "hangul/utf.h"

namespace pimoru {
namespace {

constexpr std::u16string_view kEquals = u"＝";
constexpr std::u16string_view kPlus = u"＋";

// The nouns that only follow an adnominal form: after one of them the word
// before is the -(으)ㄹ form of a verb, not a noun that looks like it.
constexpr std::u16string_view kBoundNouns[] = {
    u"것", u"거", u"걸",   u"게", u"수", u"줄", u"때", u"데", u"바",
    u"리", u"뿐", u"만큼", u"적", u"지", u"듯", u"법", u"터",
};

// What makes a verb of a noun: 입력하다 is the noun 입력 with 하다.
constexpr std::u16string_view kVerbalisers[] = {u"하", u"되", u"시키"};

bool IsVerbForm(FormKind kind) {
  return kind == FormKind::kPreFinal || kind == FormKind::kAdnominal ||
         kind == FormKind::kRieulEnding || kind == FormKind::kEnding;
}

// The -(으)ㄹ endings that tense what follows, after their ㄹ: "게" of
// -을게.
std::u16string_view TailOf(std::u16string_view affix) {
  constexpr std::u16string_view kHead = u"-을";
  return affix.starts_with(kHead) ? affix.substr(kHead.size())
                                  : std::u16string_view();
}

bool EndsInRieul(char16_t syllable) {
  constexpr int kFinals = 28;  // 27 finals and none, per initial and medial
  constexpr int kRieul = 8;
  return IsSyllable(syllable) &&
         (syllable - kSyllableFirst) % kFinals == kRieul;
}

bool StartsWithRieulTail(std::u16string_view rest) {
  for (const AffixClass& c : kAffixClasses) {
    if (c.kind != FormKind::kRieulEnding) continue;
    const std::u16string_view tail = TailOf(c.affix);
    if (!tail.empty() && rest.starts_with(tail)) return true;
  }
  return false;
}

// A reading of the typed word: its stem without the 다 of a verb, and how
// many syllables at the start of the word are the stem's alone (fewer than
// the stem's where its last syllable merged with an ending: 했 for 하 +
// 었).
struct Reading {
  const WordReading* reading;
  std::u16string core;
  std::size_t own = 0;
};

Reading ReadingIn(const WordReading& reading, std::u16string_view word) {
  Reading r{&reading, reading.stem};
  if (IsVerbForm(reading.kind) && r.core.ends_with(u'다')) r.core.pop_back();
  while (r.own < r.core.size() && r.own < word.size() &&
         r.core[r.own] == word[r.own]) {
    ++r.own;
  }
  return r;
}

// Whether the junction after syllable `at` stands between the stem and
// what follows it, or later.
bool AfterStem(const Reading& r, std::size_t at) { return at + 1 >= r.own; }

// The word split as a reading shows it: "결과＋를（助詞）", "살다＋語尾".
std::u16string Describe(const Reading& r, std::u16string_view word) {
  const WordReading& w = *r.reading;
  std::u16string text;
  switch (w.kind) {
    case FormKind::kBare:
      return w.stem;
    case FormKind::kParticle:
    case FormKind::kCopula:
      text = r.core;
      if (r.own == r.core.size() && r.own < word.size()) {
        text += kPlus;
        text += word.substr(r.own);
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

// A stretch of the word cut into Sino-Korean words: at each place the
// longest word spelled all in hanja of two syllables or more, else one
// syllable alone.
struct Segment {
  std::size_t begin;
  std::size_t size;  // 1: a syllable outside any word
};

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

// "목록＝目錄（漢字語）" with the word and its hanja.
void NameHanja(const HanjaDictionary& hanja, std::u16string_view word,
               Judgement& j) {
  if (const auto entry = hanja.HanjaWord(word)) {
    j.word = std::u16string(entry->hangul);
    j.hanja = std::u16string(entry->hanja);
  }
}

class Judging {
 public:
  Judging(const HanjaDictionary& hanja, const WordForms& forms,
          const WordQuestion& q)
      : hanja_(hanja), forms_(forms), q_(q) {
    readings_ = forms.Readings(q.word);
    for (const WordReading& r : *readings_) {
      in_word_.push_back(ReadingIn(r, q.word));
    }
  }

  // Every judgement about a word says why, so that one who shows an
  // undecided question shows that the dictionary was asked.
  Judgement Run() const {
    if (q_.word.empty() || q_.at >= q_.word.size()) return {};
    Judgement j = ByKind();
    if (j.reason.empty()) j.reason = Because(q_.word, kUnsure);
    return j;
  }

 private:
  static constexpr std::u16string_view kUnsure = u"辞書では判断できず";

  Judgement ByKind() const {
    switch (q_.kind) {
      case QuestionKind::kSinoKorean:
        return SinoKorean();
      case QuestionKind::kSinoKoreanSuffix:
        return SinoKoreanSuffix();
      case QuestionKind::kNInsertion:
        return NInsertion();
      case QuestionKind::kFutureAdnominal:
        return RieulEnding();
      case QuestionKind::kListedEnding:
        return q_.at + 1 == q_.word.size() ? Adnominal() : RieulEnding();
    }
    return {};
  }

  bool JunctionInWord() const { return q_.at + 1 < q_.word.size(); }

  // The stretch of the word that the readings give as a stem in which the
  // junction stands (the whole word where the lexicon does not know it),
  // without the verbaliser of a verb; 0 when every reading puts the
  // junction after the stem.
  std::size_t StemSpan() const {
    if (in_word_.empty()) return q_.word.size();
    std::size_t span = 0;
    for (const Reading& r : in_word_) {
      if (AfterStem(r, q_.at)) continue;
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

  const Reading* FirstAfterStem() const {
    for (const Reading& r : in_word_) {
      if (AfterStem(r, q_.at)) return &r;
    }
    return nullptr;
  }

  Judgement SinoKorean() const {
    if (!JunctionInWord()) return {};
    const std::size_t span = StemSpan();
    const Reading* after = FirstAfterStem();
    if (span == 0) {
      return Decided(Verdict::kNo, Because(q_.word, Describe(*after, q_.word)));
    }
    const std::u16string_view stem = q_.word.substr(0, span);
    Judgement j = SinoJunction(stem);
    // A reading that puts the junction between a stem and its ending
    // stands against a hanja word that merely looks the same (팔자: 八字,
    // and 팔다 with -자).
    if (after != nullptr && j.verdict == Verdict::kYes) {
      j.verdict = Verdict::kUnknown;
      j.reason += u"／";
      j.reason += Describe(*after, q_.word);
    }
    return j;
  }

  // The junction after syllable `at` of a stem as the hanja dictionary
  // reads it.
  Judgement SinoJunction(std::u16string_view stem) const {
    const std::size_t at = q_.at;
    // A hanja said twice keeps its consonant plain (허허실실, 절절하다).
    if (q_.slot >= 18 && q_.word[at] == q_.word[at + 1]) {
      return Decided(Verdict::kNo, Because(q_.word, u"同じ漢字の重なり"));
    }
    if (!hanja_.HasHanja(q_.word[at]) || !hanja_.HasHanja(q_.word[at + 1])) {
      return Decided(Verdict::kNo, Because(q_.word, u"漢字語の辞書になし"));
    }
    const std::vector<Segment> segments = Segments(hanja_, stem);
    const auto holding = [&](std::size_t k) {
      return *std::find_if(segments.begin(), segments.end(),
                           [k](const Segment& s) {
                             return k >= s.begin && k < s.begin + s.size;
                           });
    };
    const Segment left = holding(at);
    const Segment right = holding(at + 1);
    const std::u16string_view left_word = stem.substr(left.begin, left.size);
    if (left.begin == right.begin) {
      Judgement j = Decided(Verdict::kYes, u"");
      NameHanja(hanja_, left_word, j);
      j.reason = Because(j.word, j.hanja + u"（漢字語）");
      return j;
    }
    // A Sino-Korean word and a syllable after it that ends the stem: a
    // suffix (식별자, 확인란).
    if (left.size >= 2 && right.size == 1 && at + 2 == stem.size()) {
      return WordWithSuffix(stem, left.begin);
    }
    // Two words of a compound, or a syllable before a word: the dictionary
    // cannot tell whether the rule reaches across.
    if (left.size >= 2 || right.size >= 2) {
      Judgement j = Undecided(q_.slot < 18, u"");
      const Segment& word = left.size >= 2 ? left : right;
      NameHanja(hanja_, stem.substr(word.begin, word.size), j);
      j.reason = Because(j.word, j.hanja + u"（漢字語）と別の語の境目");
      return j;
    }
    return Decided(Verdict::kNo, Because(q_.word, u"漢字語の辞書になし"));
  }

  // Yes for the Sino-Korean word from `begin` to the junction and the
  // syllable after it as its suffix: "식별자＝識別＋자（漢字語＋接尾辞）".
  Judgement WordWithSuffix(std::u16string_view stem, std::size_t begin) const {
    const std::size_t at = q_.at;
    Judgement j = Decided(Verdict::kYes, u"");
    NameHanja(hanja_, stem.substr(begin, at + 1 - begin), j);
    std::u16string why = j.hanja;
    why += kPlus;
    why += stem[at + 1];
    why += u"（漢字語＋接尾辞）";
    j.reason = Because(stem.substr(begin, at + 2 - begin), why);
    return j;
  }

  Judgement SinoKoreanSuffix() const {
    if (!JunctionInWord()) return {};
    const std::size_t span = StemSpan();
    if (span == 0) {
      return Decided(Verdict::kNo,
                     Because(q_.word, Describe(*FirstAfterStem(), q_.word)));
    }
    const std::size_t at = q_.at;
    const std::u16string_view stem = q_.word.substr(0, span);
    for (const Segment& s : Segments(hanja_, stem)) {
      if (at < s.begin || at >= s.begin + s.size) continue;
      if (at + 1 < s.begin + s.size) {
        // The junction inside one word: a word of two syllables (권력,
        // 원료) is read with ㄹ; a longer one is a word with a suffix when
        // what stands before the junction is a word too (생산력).
        if (s.begin == at && s.size == 2) {
          Judgement j = Decided(Verdict::kNo, u"");
          NameHanja(hanja_, stem.substr(at, 2), j);
          j.reason = Because(j.word, j.hanja + u"（一語の漢字語）");
          return j;
        }
        const std::u16string_view head = stem.substr(s.begin, at + 1 - s.begin);
        if (head.size() >= 2 && hanja_.HanjaWord(head)) break;
        return {};
      }
      if (s.size < 2) return {};
      break;
    }
    // A word of two syllables or more ends at the junction.
    for (std::size_t begin = 0; begin + 1 <= at; ++begin) {
      const std::u16string_view head = stem.substr(begin, at + 1 - begin);
      if (head.size() < 2 || !hanja_.HanjaWord(head)) continue;
      return WordWithSuffix(stem, begin);
    }
    return {};
  }

  // Why a reading rules out N-insertion at the junction, or empty.
  std::u16string NoInsertion(const Reading& r) const {
    const std::size_t next = q_.at + 1;
    if (AfterStem(r, q_.at)) return Describe(r, q_.word);
    // The suffix -이 of a noun or an adverb (같이, 길이, 고양이) or of a
    // verb stem (먹이다).
    const WordReading& w = *r.reading;
    if (next + 1 == r.core.size() && r.core[next] == u'이') {
      return r.core + u"（接尾辞 -이）";
    }
    // Inside one Sino-Korean word of two syllables, in a stem made of such
    // words (필요, 적용, 번역).
    std::u16string_view stem = std::u16string_view(r.core).substr(0, r.own);
    for (const std::u16string_view v : kVerbalisers) {
      if (IsVerbForm(w.kind) && stem.size() > v.size() && stem.ends_with(v)) {
        stem.remove_suffix(v.size());
        break;
      }
    }
    const std::vector<Segment> segments = Segments(hanja_, stem);
    const bool all_words =
        std::all_of(segments.begin(), segments.end(),
                    [](const Segment& s) { return s.size >= 2; });
    if (!all_words) return {};
    for (const Segment& s : segments) {
      if (s.begin == q_.at && s.size == 2) {
        Judgement named;
        NameHanja(hanja_, stem.substr(s.begin, 2), named);
        return named.hanja + u"（一語の漢字語）";
      }
    }
    return {};
  }

  Judgement NInsertion() const {
    // Across a space, read as one breath: two words meet there, and the
    // second takes the ㄴ the way the parts of a compound do (한 일 → 한
    // 닐), but a pause between them keeps it away.
    if (!JunctionInWord()) {
      std::u16string why(q_.word);
      why += kPlus;
      why += q_.next_word;
      why += u"（二語の境目）";
      return Undecided(!q_.next_word.empty(), std::move(why));
    }
    if (in_word_.empty()) return ParticleAfterUnknownWord();
    // A reading that ends the stem at the junction says it best.
    std::u16string why;
    for (const Reading& r : in_word_) {
      if (AfterStem(r, q_.at)) {
        why = Describe(r, q_.word);
        break;
      }
    }
    for (const Reading& r : in_word_) {
      const std::u16string no = NoInsertion(r);
      if (no.empty()) {
        const std::u16string parts = CompoundParts();
        return Undecided(
            !parts.empty(),
            Because(q_.word, parts.empty() ? std::u16string(kUnsure)
                                           : parts + u"（合成語らしい）"));
      }
      if (why.empty()) why = no;
    }
    return Decided(Verdict::kNo, Because(q_.word, why));
  }

  // For a word the lexicon does not know (커널이, 아이들이), whether what
  // follows the junction is a particle or the copula: it is when the
  // lexicon reads it so after a noun it knows. 일, 인 and 임 alone are
  // nouns too (막일), and are left undecided.
  Judgement ParticleAfterUnknownWord() const {
    constexpr std::u16string_view kStandIn = u"책";
    const std::u16string_view rest = q_.word.substr(q_.at + 1);
    if (rest == u"일" || rest == u"인" || rest == u"임") return {};
    const auto kept =
        forms_.Readings(std::u16string(kStandIn) + std::u16string(rest));
    const std::vector<WordReading>& readings = *kept;
    if (readings.empty()) return {};
    for (const WordReading& r : readings) {
      if (r.stem != kStandIn ||
          (r.kind != FormKind::kParticle && r.kind != FormKind::kCopula)) {
        return {};
      }
    }
    std::u16string why(q_.word.substr(0, q_.at + 1));
    why += kPlus;
    why += rest;
    why += readings.front().kind == FormKind::kParticle ? u"（助詞）"
                                                        : u"（指定詞）";
    return Decided(Verdict::kNo, Because(q_.word, why));
  }

  // The word split at the junction ("솜＋이불") where both parts are words
  // the lexicon knows, which makes a compound likely; empty otherwise.
  std::u16string CompoundParts() const {
    const auto known = [this](std::u16string_view part) {
      const auto readings = forms_.Readings(part);
      for (const WordReading& r : *readings) {
        if (r.kind == FormKind::kBare) return true;
      }
      return false;
    };
    const std::u16string_view head = q_.word.substr(0, q_.at + 1);
    std::u16string_view tail = q_.word.substr(q_.at + 1);
    for (const Reading& r : in_word_) {
      if (r.own > q_.at + 1) {
        tail = std::u16string_view(r.core).substr(q_.at + 1);
        break;
      }
    }
    if (!known(head) || !known(tail)) return {};
    std::u16string parts(head);
    parts += kPlus;
    parts += tail;
    return parts;
  }

  // An ending that begins with -(으)ㄹ and a consonant at the ㄹ of
  // syllable `at`, inside the word (할게, 할지, 먹을수록).
  Judgement RieulEnding() const {
    const std::u16string_view rest = q_.word.substr(q_.at + 1);
    // Such an ending's ㄹ is a plain final, and one of the endings' tails
    // follows it, whatever the word (읽을: the ㄹ of 읽 is in ㄺ; 빌드: 드
    // is no tail).
    if (!EndsInRieul(q_.word[q_.at]) || !StartsWithRieulTail(rest)) {
      return Decided(
          Verdict::kNo,
          Because(q_.word, in_word_.empty()
                               ? std::u16string(u"ㄹで始まる語尾なし")
                               : Describe(in_word_[0], q_.word)));
    }
    // -지 before 않다, 못하다 or 말다 is the ending of the negation (들지
    // 않으면), not -(으)ㄹ지.
    if (rest == u"지") {
      for (const std::u16string_view negation : {u"않", u"못", u"말"}) {
        if (q_.next_word.starts_with(negation)) {
          return Decided(Verdict::kNo, Because(q_.word, u"-지（否定の語尾）"));
        }
      }
    }
    const Sides sides = SortReadings([&](const Reading& r) {
      const WordReading& w = *r.reading;
      if (w.kind == FormKind::kRieulEnding) {
        const std::u16string_view tail = TailOf(NameOfAffix(w.affix_class));
        return !tail.empty() && rest.starts_with(tail) && q_.at + 1 >= r.own;
      }
      return (w.kind == FormKind::kPreFinal || w.kind == FormKind::kCopula) &&
             q_.at >= r.own && StartsWithRieulTail(rest);
    });
    if (std::optional<Judgement> j = AllOrNone(sides)) return *j;
    return Undecided(2 * sides.count > static_cast<int>(in_word_.size()),
                     Both(sides));
  }

  // The -(으)ㄹ adnominal form at the end of the word, before the next one
  // (할 수, 줄 때).
  Judgement Adnominal() const {
    const std::size_t last = q_.word.size() - 1;
    const Sides sides = SortReadings([&](const Reading& r) {
      const FormKind kind = r.reading->kind;
      return kind == FormKind::kAdnominal ||
             ((kind == FormKind::kPreFinal || kind == FormKind::kCopula) &&
              last >= r.own);
    });
    if (std::optional<Judgement> j = AllOrNone(sides)) return *j;
    if (const std::u16string_view bound = BoundNoun(); !bound.empty()) {
      std::u16string why = Describe(*sides.yes, q_.word);
      why += kPlus;
      why += bound;
      why += u"（依存名詞）";
      return Decided(Verdict::kYes, Because(q_.word, why));
    }
    return Undecided(false, Both(sides));
  }

  // The readings for which a test holds and those for which it does not:
  // the first of each, and how many it holds for.
  struct Sides {
    const Reading* yes = nullptr;
    const Reading* no = nullptr;
    int count = 0;
  };
  template <typename Test>
  Sides SortReadings(Test test) const {
    Sides sides;
    for (const Reading& r : in_word_) {
      const bool holds = test(r);
      if (holds) ++sides.count;
      const Reading*& first = holds ? sides.yes : sides.no;
      if (first == nullptr) first = &r;
    }
    return sides;
  }
  // Yes when every reading says so, No when none does; nullopt when they
  // disagree. Unknown for a word without readings.
  std::optional<Judgement> AllOrNone(const Sides& sides) const {
    if (in_word_.empty()) return Judgement{};
    if (sides.no == nullptr) {
      return Decided(Verdict::kYes,
                     Because(q_.word, Describe(*sides.yes, q_.word)));
    }
    if (sides.yes == nullptr) {
      return Decided(Verdict::kNo,
                     Because(q_.word, Describe(*sides.no, q_.word)));
    }
    return std::nullopt;
  }
  std::u16string Both(const Sides& sides) const {
    return Because(q_.word, Describe(*sides.yes, q_.word) + u"／" +
                                Describe(*sides.no, q_.word));
  }

  // The bound noun that the next word is, alone or with a particle or the
  // copula; empty when it is none.
  std::u16string_view BoundNoun() const {
    if (q_.next_word.empty()) return {};
    for (const std::u16string_view bound : kBoundNouns) {
      if (q_.next_word == bound) return bound;
    }
    const auto readings = forms_.Readings(q_.next_word);
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

  const HanjaDictionary& hanja_;
  const WordForms& forms_;
  const WordQuestion& q_;
  std::shared_ptr<const std::vector<WordReading>> readings_;
  std::vector<Reading> in_word_;
};

std::filesystem::path FromEnvironment(const char* name, std::string_view suffix,
                                      const std::filesystem::path& fallback) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return fallback;
  return std::string(value) + std::string(suffix);
}

// Where the Debian packages put the files, and where a local install would.
constexpr const char* kHanjaPlaces[] = {
    "/usr/share/libhangul/hanja/hanja.txt",
    "/usr/local/share/libhangul/hanja/hanja.txt",
};
constexpr const char* kLexiconPlaces[] = {
    "/usr/share/hunspell/ko_KR",
    "/usr/share/hunspell/ko",
    "/usr/share/myspell/dicts/ko_KR",
    "/usr/local/share/hunspell/ko_KR",
};

template <std::size_t N>
std::string FirstThere(const char* const (&places)[N],
                       std::string_view suffix) {
  for (const char* place : places) {
    std::error_code ec;
    const std::string path = std::string(place) + std::string(suffix);
    if (std::filesystem::exists(path, ec)) return path;
  }
  return std::string(places[0]) + std::string(suffix);
}

// The word that follows offset `end` of a line after spaces, as far as a
// word reaches; empty where anything else comes first, and where `end` is
// inside a run too long to be read whole.
std::u16string_view NextWord(std::u16string_view line, std::size_t end) {
  if (end < line.size() && IsSyllable(line[end])) return {};
  while (end < line.size() && !IsSyllable(line[end])) {
    if (line[end] != u' ') return {};  // punctuation ends the phrase
    ++end;
  }
  const std::size_t last = std::min(line.size(), end + kWordReach + 1);
  std::size_t stop = end;
  while (stop < last && IsSyllable(line[stop])) ++stop;
  return line.substr(end, stop - end);
}

}  // namespace

DictionaryFiles FindDictionaryFiles() {
  DictionaryFiles files;
  files.hanja =
      FromEnvironment("PIMORU_HANJA_FILE", "", FirstThere(kHanjaPlaces, ""));
  files.affix = FromEnvironment("PIMORU_LEXICON", ".aff",
                                FirstThere(kLexiconPlaces, ".aff"));
  files.words = FromEnvironment("PIMORU_LEXICON", ".dic",
                                FirstThere(kLexiconPlaces, ".dic"));
  return files;
}

std::optional<WordQuestion> ReadQuestion(const Question& question,
                                         std::u16string& word,
                                         std::u16string& next_word) {
  const std::u16string_view line = question.TypedLine();
  const TypedSpan span = question.TypedWord();
  if (line.empty() || span.length == 0) return std::nullopt;
  // The syllable the question is about: the one with the final at a
  // junction or for a word-question whose pattern starts with its ㄹ or ㄴ;
  // for a listed ending, the one with the ㄹ that ends it.
  std::size_t unit = 0;
  const std::u16string_view pattern = question.pattern();
  if (question.kind() == QuestionKind::kListedEnding) {
    for (std::size_t k = 0; k + 1 < pattern.size(); ++k) {
      if (IsFinal(pattern[k])) unit = k;
    }
  }
  const std::size_t at = question.TypedSyllable(unit);
  if (at == std::u16string_view::npos || at < span.offset ||
      at >= span.offset + span.length) {
    return std::nullopt;
  }
  word.assign(line.substr(span.offset, span.length));
  next_word.assign(NextWord(line, span.offset + span.length));
  WordQuestion q;
  q.kind = question.kind();
  q.slot = question.slot();
  q.word = word;
  q.at = at - span.offset;
  q.next_word = next_word;
  return q;
}

bool Dictionary::Load() const {
  std::call_once(loaded_, [this] {
    // The two files load side by side; the lexicon takes the longer.
    std::thread lexicon([this] {
      forms_ = WordForms::Open(files_.affix, files_.words, &lexicon_problem_);
    });
    hanja_ = HanjaDictionary::FromFile(files_.hanja, &hanja_problem_);
    if (hanja_ && hanja_->size() == 0) {
      hanja_.reset();
      hanja_problem_ = files_.hanja.string() + ": 漢字語の項目がありません";
    }
    lexicon.join();
  });
  return hanja_.has_value() && forms_ != nullptr;
}

std::string Dictionary::Status() const {
  Load();
  std::string status;
  if (hanja_) {
    status += "hanja dictionary " + files_.hanja.string() + " (" +
              std::to_string(hanja_->size()) + " entries)";
  } else {
    status += "hanja dictionary missing (" + hanja_problem_ + ")";
  }
  status += "; ";
  if (forms_) {
    status += "lexicon " + files_.affix.string();
  } else {
    status += "lexicon missing (" + lexicon_problem_ + ")";
  }
  return status;
}

std::size_t Dictionary::HanjaBytes() const {
  Load();
  return hanja_ ? hanja_->Bytes() : 0;
}

Judgement Dictionary::Judge(const WordQuestion& question) const {
  if (!Load()) return {};
  return Judging(*hanja_, *forms_, question).Run();
}

Judgement Dictionary::Judge(const Question& question) const {
  std::u16string word;
  std::u16string next_word;
  const std::optional<WordQuestion> q = ReadQuestion(question, word, next_word);
  if (!q) return {};
  return Judge(*q);
}

std::shared_ptr<Dictionary> MakeDictionary() {
  return std::make_shared<Dictionary>(FindDictionaryFiles());
}

}  // namespace pimoru
