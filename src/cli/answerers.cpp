#include "cli/answerers.h"

#include <unistd.h>

#include <string>
#include <system_error>

#include "hangul/conversion_error.h"
#include "hangul/user_folders.h"
#include "hangul/utf.h"
#include "lexicon/dictionary.h"

namespace pimoru {
namespace {

std::unique_ptr<Dictionary> DictionaryFor(const CommandLine& cl) {
  return MakeDictionary(DataFolder(cl), UserFolder(ProcessEnvironment));
}

// The dictionary of this process, shared by every answerer and loaded at
// the first question it is asked, or when a warning needs to know.
const Dictionary& ProcessDictionary(const CommandLine& cl) {
  static const std::unique_ptr<Dictionary> dictionary = DictionaryFor(cl);
  return *dictionary;
}

// Whether the user asked for answers that consult the dictionary by name:
// by default a missing one goes without a word.
bool AsksForDictionary(const CommandLine& cl) {
  return !cl.answer_list && !cl.no_dictionary &&
         (cl.answers == AnswerPolicy::kAsk ||
          cl.answers == AnswerPolicy::kAuto);
}

}  // namespace

std::string TerminalQuestion(const Question& question, const Judgement& guess) {
  std::string shown = Utf16ToUtf8(question.Message(guess));
  shown += '\n';
  const bool offers_guess = !guess.reason.empty() || !guess.hanja.empty();
  shown += !offers_guess ? "[y/n" : guess.guess ? "[Y/n" : "[y/N";
  return shown + "、y!/n!：以後、同じ語には同じ答え] ";
}

Answer TerminalAsker::Respond(const Question& question,
                              const Judgement& guess) {
  const std::string shown = TerminalQuestion(question, guess);
  const bool offers_guess = !guess.reason.empty() || !guess.hanja.empty();
  std::string answer;
  while (true) {
    std::fputs(shown.c_str(), out_);
    std::fflush(out_);
    // The whole line, however long: what is left of it must not answer
    // the next question.
    answer.clear();
    int c;
    while ((c = std::fgetc(in_)) != EOF && c != '\n') {
      answer += static_cast<char>(c);
    }
    if (answer.ends_with('\r')) answer.pop_back();
    // "y!", "n!": the same answer for the same word from now on.
    const bool remember = answer.size() >= 2 && answer[1] == '!';
    if (answer.starts_with('y') || answer.starts_with('Y')) {
      return {true, Answerer::kUser, guess.reason, remember};
    }
    if (answer.starts_with('n') || answer.starts_with('N')) {
      return {false, Answerer::kUser, guess.reason, remember};
    }
    if (c == EOF) {
      ended_ = true;
      throw ConversionError(
          "no answer from the terminal (closed, or its input ended); the run "
          "stops here");
    }
    if (offers_guess && answer.empty()) {
      return {guess.guess, Answerer::kUser, guess.reason};
    }
  }
}

std::unique_ptr<CliAsker> MakeAsker(const CommandLine& cl) {
  if (cl.answer_list) {
    return std::make_unique<ScriptAsker>(*cl.answer_list, false);
  }
  AnswerPolicy policy = cl.answers;
  if (policy == AnswerPolicy::kDefault) {
    // Scripts that name no policy get No, as they always have.
    policy = isatty(STDIN_FILENO) && isatty(STDERR_FILENO) ? AnswerPolicy::kAsk
                                                           : AnswerPolicy::kNo;
  }
  std::unique_ptr<CliAsker> asker;
  if (policy == AnswerPolicy::kAsk) {
    std::FILE* const in = std::fopen("/dev/tty", "re");
    std::FILE* const out =
        in != nullptr ? std::fopen("/dev/tty", "we") : nullptr;
    if (out != nullptr) {
      asker = std::make_unique<TerminalAsker>(in, out);
    } else if (in != nullptr) {
      std::fclose(in);
    }
    if (!asker && cl.answers == AnswerPolicy::kAsk) return nullptr;
    if (!asker) policy = AnswerPolicy::kNo;
  }
  if (!asker) {
    asker = std::make_unique<ScriptAsker>("", policy == AnswerPolicy::kYes,
                                          policy == AnswerPolicy::kAuto);
  }
  const bool consult =
      policy == AnswerPolicy::kAsk || policy == AnswerPolicy::kAuto;
  if (consult && !cl.no_dictionary) {
    return std::make_unique<DictionaryAsker>(ProcessDictionary(cl),
                                             std::move(asker));
  }
  return asker;
}

std::filesystem::path DataFolder(const CommandLine& cl) {
  if (cl.data_folder) return *cl.data_folder;
  std::error_code ec;
  const std::filesystem::path exe =
      std::filesystem::read_symlink("/proc/self/exe", ec);
  return InstalledDataFolder(ec ? std::filesystem::path("bin")
                                : exe.parent_path());
}

std::string DictionaryStatus(const CommandLine& cl) {
  const Dictionary& dictionary = ProcessDictionary(cl);
  return (dictionary.Load() ? "found: " : "missing: ") + dictionary.Status();
}

std::vector<std::string> DictionaryProblems(const CommandLine& cl) {
  return ProcessDictionary(cl).Problems();
}

std::optional<std::string> MissingDictionaryWarning(const CommandLine& cl) {
  // Loaded to know: a folder, a device or a file of the wrong kind may
  // stand where the files are looked for.
  if (!AsksForDictionary(cl) || ProcessDictionary(cl).Load()) {
    return std::nullopt;
  }
  return "dictionary " + DictionaryStatus(cl) +
         "; the questions it would decide are asked, or answered No";
}

}  // namespace pimoru
