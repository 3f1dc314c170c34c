// The command line's ways of answering the questions.
#ifndef PIMORU_CLI_ANSWERERS_H_
#define PIMORU_CLI_ANSWERERS_H_

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "hangul/question.h"
#include "hangul/word_knowledge.h"

namespace pimoru {

// Each answerer is told when an input begins, and says whether it talks to
// the user on the terminal, and whether it can answer no more (the run then
// stops).
class CliAsker : public Asker {
 public:
  virtual void BeginInput() {}
  virtual bool OnTerminal() const { return false; }
  virtual bool Ended() const { return false; }
};

// The question as the terminal shows it: the message (with the word's hanja
// and what the dictionary guessed and why, where it was consulted) and the
// prompt, whose capital letter is the answer an empty line gives ("[Y/n"),
// and which offers y! and n! to give the same answer to the same question
// about the same word for the rest of the input. Where no dictionary was
// consulted, the prompt begins "[y/n" and only y or n answers.
std::string TerminalQuestion(const Question& question, const Judgement& guess);

// Asks on the controlling terminal, so that questions work while the text
// itself comes from a pipe. The terminal is opened twice, once to read the
// answers and once to show the questions, as a stream that did both would
// need a seek between reading and writing. An answer is one line, of any
// length. A terminal that gives no answer at all (it was closed, or the user
// ended its input with Ctrl+D) ends the conversion with a ConversionError
// and the run with it: no question is ever answered for the user.
class TerminalAsker : public CliAsker {
 public:
  TerminalAsker(std::FILE* in, std::FILE* out) : in_(in), out_(out) {}
  ~TerminalAsker() override {
    std::fclose(in_);
    std::fclose(out_);
  }
  TerminalAsker(const TerminalAsker&) = delete;
  TerminalAsker& operator=(const TerminalAsker&) = delete;

  bool OnTerminal() const override { return true; }
  bool Ended() const override { return ended_; }
  Answer Respond(const Question& question, const Judgement& guess) override;

 private:
  std::FILE* in_;
  std::FILE* out_;
  bool ended_ = false;
};

// Answers without showing the questions: from a list given on the command
// line, afresh for every input ("yny"), and `beyond` for every question past
// its end. --answers yes and no are an empty list. With `guesses` (--answers
// auto), a question whose kind says so takes the guess it comes with
// instead.
class ScriptAsker : public CliAsker {
 public:
  ScriptAsker(std::string answers, bool beyond, bool guesses = false)
      : answers_(std::move(answers)), beyond_(beyond), guesses_(guesses) {}
  void BeginInput() override { next_ = 0; }
  Answer Respond(const Question& question, const Judgement& guess) override {
    if (guesses_ && InfoOf(question.kind()).unasked_takes_guess) {
      return {guess.guess, Answerer::kPolicy, guess.reason};
    }
    const bool yes =
        next_ < answers_.size() ? answers_[next_++] == 'y' : beyond_;
    return {yes, Answerer::kPolicy, guess.reason};
  }

 private:
  std::string answers_;
  bool beyond_;
  bool guesses_;
  std::size_t next_ = 0;
};

// Lets a dictionary answer what it can decide, and another answerer the
// rest.
class DictionaryAsker : public CliAsker {
 public:
  DictionaryAsker(const WordKnowledge& knowledge,
                  std::unique_ptr<CliAsker> undecided)
      : undecided_(std::move(undecided)), knowing_(knowledge, *undecided_) {}

  void BeginInput() override { undecided_->BeginInput(); }
  bool OnTerminal() const override { return undecided_->OnTerminal(); }
  bool Ended() const override { return undecided_->Ended(); }
  Answer Respond(const Question& question, const Judgement& guess) override {
    return knowing_.Respond(question, guess);
  }
  std::optional<Answer> Decide(const Question& question) override {
    return knowing_.Decide(question);
  }
  bool Decides() const override { return knowing_.Decides(); }

 private:
  std::unique_ptr<CliAsker> undecided_;
  KnowingAsker knowing_;
};

// The answerer the command line asks for; null when it wants the terminal
// and there is none.
std::unique_ptr<CliAsker> MakeAsker(const CommandLine& cl);

// The data folder: the one --data names, else share/pimoru beside the
// folder of the executable.
std::filesystem::path DataFolder(const CommandLine& cl);

// What --version says of the dictionary: "found" with its files when both
// load, otherwise "missing" with what could not be loaded and why.
std::string DictionaryStatus(const CommandLine& cl);

// What was wrong with the dictionary's files (a bad line of the user's
// compound list), where the run has loaded it.
std::vector<std::string> DictionaryProblems(const CommandLine& cl);

// A warning for standard error when --answers ask or auto would consult a
// dictionary that does not load (its files are missing, or are not files
// of a dictionary); nullopt otherwise. Loads the dictionary to know.
std::optional<std::string> MissingDictionaryWarning(const CommandLine& cl);

}  // namespace pimoru

#endif  // PIMORU_CLI_ANSWERERS_H_
