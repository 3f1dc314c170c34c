// What a dictionary knows of the words a question is about, and the
// answerer that lets it decide.
//
// The core only knows the interface; the dictionary that implements it
// (the Sino-Korean words with their hanja and a lexicon of Korean word
// forms) lives in a library of its own, so that the core links nothing
// beyond the standard library.
#ifndef PIMORU_HANGUL_WORD_KNOWLEDGE_H_
#define PIMORU_HANGUL_WORD_KNOWLEDGE_H_

#include <optional>
#include <utility>

#include "hangul/question.h"

namespace pimoru {

class WordKnowledge {
 public:
  virtual ~WordKnowledge() = default;
  // Yes, No or Unknown about a question, read from the word as typed.
  // Safe to call from several threads at once.
  virtual Judgement Judge(const Question& question) const = 0;
};

// Lets the dictionary answer what it can decide and passes every other
// question, with the dictionary's guess, to `undecided`: the user, or a
// FixedAsker(false) for a policy that answers No to what it cannot decide.
// Where the dictionary has nothing to say of a question, the guess of the
// stage that asks is passed on instead.
class KnowingAsker : public Asker {
 public:
  KnowingAsker(const WordKnowledge& knowledge, Asker& undecided)
      : knowledge_(knowledge), undecided_(undecided) {}

  Answer Respond(const Question& question, const Judgement& guess) override {
    Judgement judgement = knowledge_.Judge(question);
    if (judgement.verdict == Verdict::kUnknown) {
      const bool says_nothing = !judgement.guess && judgement.reason.empty() &&
                                judgement.hanja.empty();
      return undecided_.Respond(question, says_nothing ? guess : judgement);
    }
    return ByDictionary(std::move(judgement));
  }
  std::optional<Answer> Decide(const Question& question) override {
    Judgement judgement = knowledge_.Judge(question);
    if (judgement.verdict == Verdict::kUnknown) return std::nullopt;
    return ByDictionary(std::move(judgement));
  }
  bool Decides() const override { return true; }

 private:
  static Answer ByDictionary(Judgement judgement) {
    return {judgement.verdict == Verdict::kYes, Answerer::kDictionary,
            std::move(judgement.reason)};
  }

  const WordKnowledge& knowledge_;
  Asker& undecided_;
};

// Lets the dictionary decide nothing but shows its view of every question
// to `asker`: the hanja it knows, and what it would have decided as its
// guess. For a user who answers every question himself.
class SuggestingAsker : public Asker {
 public:
  SuggestingAsker(const WordKnowledge& knowledge, Asker& asker)
      : knowledge_(knowledge), asker_(asker) {}

  Answer Respond(const Question& question, const Judgement&) override {
    Judgement judgement = knowledge_.Judge(question);
    if (judgement.verdict != Verdict::kUnknown) {
      judgement.guess = judgement.verdict == Verdict::kYes;
      judgement.verdict = Verdict::kUnknown;
    }
    return asker_.Respond(question, judgement);
  }

 private:
  const WordKnowledge& knowledge_;
  Asker& asker_;
};

}  // namespace pimoru

#endif  // PIMORU_HANGUL_WORD_KNOWLEDGE_H_
