#include "cli/answerers.h"

#include <unistd.h>

#include <string_view>

#include "hangul/utf.h"

namespace pimoru {

bool TerminalAsker::Confirm(const Question& question) {
  const std::string shown = Utf16ToUtf8(question.Message());
  while (true) {
    std::fprintf(tty_, "%s\n[y/n] ", shown.c_str());
    std::fflush(tty_);
    char line[64];
    if (std::fgets(line, sizeof line, tty_) == nullptr) return false;
    const std::string_view answer(line);
    if (answer.starts_with('y') || answer.starts_with('Y')) return true;
    if (answer.starts_with('n') || answer.starts_with('N')) return false;
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
    if (std::FILE* tty = std::fopen("/dev/tty", "r+")) {
      return std::make_unique<TerminalAsker>(tty);
    }
    if (cl.answers == AnswerPolicy::kAsk) return nullptr;
    policy = AnswerPolicy::kNo;
  }
  return std::make_unique<ScriptAsker>("", policy == AnswerPolicy::kYes);
}

}  // namespace pimoru
