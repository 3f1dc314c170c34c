#include "cli/answerers.h"

#include <unistd.h>

#include <string>

#include "hangul/utf.h"

namespace pimoru {

bool TerminalAsker::Confirm(const Question& question) {
  const std::string shown = Utf16ToUtf8(question.Message());
  std::string answer;
  while (true) {
    std::fprintf(out_, "%s\n[y/n] ", shown.c_str());
    std::fflush(out_);
    // The whole line, however long: what is left of it must not answer
    // the next question.
    answer.clear();
    int c;
    while ((c = std::fgetc(in_)) != EOF && c != '\n') {
      answer += static_cast<char>(c);
    }
    if (answer.starts_with('y') || answer.starts_with('Y')) return true;
    if (answer.starts_with('n') || answer.starts_with('N')) return false;
    if (c == EOF) return false;
  }
}

std::unique_ptr<CliAsker> MakeAsker(const CommandLine& cl) {
  if (cl.answer_list) {
    return std::make_unique<ScriptAsker>(*cl.answer_list, false);
  }
  AnswerPolicy policy = cl.answers;
  if (policy == AnswerPolicy::kDefault) {
    policy = isatty(STDIN_FILENO) && isatty(STDERR_FILENO) ? AnswerPolicy::kAsk
                                                           : AnswerPolicy::kNo;
  }
  if (policy == AnswerPolicy::kAsk) {
    std::FILE* const in = std::fopen("/dev/tty", "re");
    std::FILE* const out =
        in != nullptr ? std::fopen("/dev/tty", "we") : nullptr;
    if (out != nullptr) return std::make_unique<TerminalAsker>(in, out);
    if (in != nullptr) std::fclose(in);
    if (cl.answers == AnswerPolicy::kAsk) return nullptr;
    policy = AnswerPolicy::kNo;
  }
  return std::make_unique<ScriptAsker>("", policy == AnswerPolicy::kYes);
}

}  // namespace pimoru
