// How the dictionary judges a question: one judge per kind of question,
// each beside the rule it knows, and what they share, the readings of the
// word placed in the word as typed.
//
//   sino_korean_judge.cpp   a junction inside a Sino-Korean word
//   sino_suffix_judge.cpp   a Sino-Korean word with a suffix
//   n_insertion_judge.cpp   a junction of a compound, or of two words
//   rieul_ending_judge.cpp  the ㄹ of a -(으)ㄹ form
#ifndef PIMORU_LEXICON_JUDGING_H_
#define PIMORU_LEXICON_JUDGING_H_

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hangul/question.h"
#include "lexicon/compound_lexicon.h"
#include "lexicon/hanja_dictionary.h"
#include "lexicon/word_forms.h"
#include "lexicon/word_question.h"

namespace pimoru {

// What the dictionary holds.
struct WordSources {
  const HanjaDictionary& hanja;
  const WordForms& forms;
  const CompoundLexicon& compounds;
};

// Yes, No or Unknown about a question, with the reason. Every judgement
// about a word says why, so that one who shows an undecided question shows
// that the dictionary was asked.
Judgement JudgeWord(const WordSources& sources, const WordQuestion& question);

inline constexpr std::u16string_view kPlus = u"＋";
inline constexpr std::u16string_view kUnsure = u"辞書では判断できず";

// What makes a verb of a noun: 입력하다 is the noun 입력 with 하다.
inline constexpr std::u16string_view kVerbalisers[] = {u"하", u"되", u"시키"};

bool IsVerbForm(FormKind kind);

// "목록＝目錄（漢字語）": the word and why.
std::u16string Because(std::u16string_view word, std::u16string_view why);
Judgement Decided(Verdict verdict, std::u16string reason);
// Unknown, with the likelier answer.
Judgement Undecided(bool guess, std::u16string reason);

// A stretch of a word cut into Sino-Korean words: at each place the
// longest word spelled all in hanja of two syllables or more, else one
// syllable alone.
struct Segment {
  std::size_t begin;
  std::size_t size;  // 1: a syllable outside any word
};
std::vector<Segment> Segments(const HanjaDictionary& hanja,
                              std::u16string_view text);

// Names the word and its spellings in `j` where the hanja dictionary has
// it spelled all in hanja, the likeliest first ("鐘路／宗老…"), and returns
// the likeliest alone, for a reason; empty where there is none.
std::u16string NameHanja(const HanjaDictionary& hanja, std::u16string_view word,
                         Judgement& j);

// A reading of the typed word: its stem without the 다 of a verb, and how
// many syllables at the start of the word are the stem's alone (fewer than
// the stem's where its last syllable merged with an ending: 했 for 하 +
// 었).
struct Reading {
  const WordReading* reading;
  std::u16string core;
  std::size_t own = 0;
};

// A question with the readings the lexicon gives its word.
class Judging {
 public:
  Judging(const WordSources& sources, const WordQuestion& question);
  Judging(const Judging&) = delete;
  Judging& operator=(const Judging&) = delete;

  const WordQuestion& question() const { return q_; }
  const HanjaDictionary& hanja() const { return sources_.hanja; }
  const WordForms& forms() const { return sources_.forms; }
  const CompoundLexicon& compounds() const { return sources_.compounds; }
  // In the lexicon's order; none for a word it does not know.
  const std::vector<Reading>& readings() const { return in_word_; }

  // Whether the syllable after the one in question is in the word.
  bool JunctionInWord() const { return q_.at + 1 < q_.word.size(); }
  // Whether the junction after the syllable in question stands between the
  // stem of a reading and what follows it, or later.
  bool AfterStem(const Reading& r) const { return q_.at + 1 >= r.own; }
  // The stretch of the word that the readings give as a stem in which the
  // junction stands (the whole word where the lexicon does not know it),
  // without the verbaliser of a verb; 0 when every reading puts the
  // junction after the stem.
  std::size_t StemSpan() const;
  const Reading* FirstAfterStem() const;

  // The word split as a reading shows it: "결과＋를（助詞）", "살다＋語尾".
  std::u16string Describe(const Reading& r) const;
  // Because() of the question's word.
  std::u16string Because(std::u16string_view why) const {
    return pimoru::Because(q_.word, why);
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
  std::optional<Judgement> AllOrNone(const Sides& sides) const;
  // Why the readings disagree: the first of each side.
  std::u16string Both(const Sides& sides) const;

 private:
  const WordSources& sources_;
  const WordQuestion& q_;
  std::shared_ptr<const std::vector<WordReading>> kept_;
  std::vector<Reading> in_word_;
};

// Yes for the Sino-Korean word from `begin` of `stem` to the junction and
// the syllable after it as its suffix: "식별자＝識別＋자（漢字語＋接尾辞）".
Judgement WordWithSuffix(const Judging& j, std::u16string_view stem,
                         std::size_t begin);

// The judges, one per kind of question.
Judgement JudgeNInsertion(const Judging& j);
Judgement JudgeSinoKoreanSuffix(const Judging& j);
Judgement JudgeSinoKoreanNasalisation(const Judging& j);
Judgement JudgeSinoKoreanTensification(const Judging& j);
Judgement JudgeFutureAdnominal(const Judging& j);
Judgement JudgeListedEnding(const Judging& j);

}  // namespace pimoru

#endif  // PIMORU_LEXICON_JUDGING_H_
