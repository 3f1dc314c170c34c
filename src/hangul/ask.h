// The walks that ask a question at each place where a rule could apply, and
// make the replacement only where the answer is Yes. An answer given to be
// remembered answers the same question about the same word for the rest of
// the conversion.
#ifndef PIMORU_HANGUL_ASK_H_
#define PIMORU_HANGUL_ASK_H_

#include <string_view>
#include <vector>

#include "hangul/jamo_text.h"
#include "hangul/question.h"
#include "hangul/rules.h"

namespace pimoru {

// Who answers the questions of a conversion, the input as typed (null
// where it is not known), where the asking stage keeps each question with
// its answer (null where nothing shows them), and the answers to be given
// again without asking. A question answered from memory is counted in the
// record at the place it was first asked, so the record lists it once.
struct Asking {
  Asker& asker;
  TypedInput* typed = nullptr;
  std::vector<RecordedQuestion>* record = nullptr;
  // Only what the answerer decides without asking anyone is taken
  // (Asker::Decide); the rest is passed over as No, and only the Yes
  // answers are kept.
  bool decided_only = false;
  std::vector<RecordedQuestion> remembered = {};
};

// Asks one question, told what the asking stage guesses (Unknown with no
// reason where it has none), and keeps it with its answer where the asking
// keeps them; one answered before to be remembered is not asked again.
// Returns whether the answer was Yes.
bool AskOne(const Question& question, const Judgement& guess, Asking& asking);

// For every occurrence of `pattern` in the text, in text order, asks
// about the word around it whether to replace it there. A refused
// occurrence is passed over one code unit at a time, so an occurrence that
// begins inside it is asked about next. Returns whether any answer was Yes.
bool AskEachOccurrence(JamoText& text, std::u16string_view pattern,
                       std::u16string_view replacement, QuestionKind kind,
                       Asking& asking);

// For every occurrence of a junction pattern (a final, an initial and
// perhaps a medial), asks about the two syllables that meet there whether
// to apply the rule; an occurrence is passed over whole. Returns whether any
// answer was Yes.
bool AskAtJunction(JamoText& text, std::u16string_view pattern,
                   std::u16string_view replacement, QuestionKind kind,
                   Asking& asking);

// One of the walks above per rule, in table order, each on the text as the
// rules before it left it: a junction walk for a kind that asks about
// junctions. A rule that does not stand in the text asks nothing.
bool AskEachRule(JamoText& text, const RuleTable& rules, QuestionKind kind,
                 Asking& asking, Search search = Search::kIndexed);

}  // namespace pimoru

#endif  // PIMORU_HANGUL_ASK_H_
