// The arguments of pimoru-cli.
#ifndef PIMORU_CLI_COMMAND_LINE_H_
#define PIMORU_CLI_COMMAND_LINE_H_

#include <optional>
#include <string>
#include <vector>

#include "pipeline/options.h"
#include "render/speaker.h"

namespace pimoru {

enum class OutputFormat { kTsv, kText, kJson };
enum class AnswerPolicy { kDefault, kAsk, kAuto, kYes, kNo };

struct CommandLine {
  Options options;
  OutputFormat format = OutputFormat::kTsv;
  AnswerPolicy answers = AnswerPolicy::kDefault;
  // With --answer-list: the answers to the questions, in order ("yny").
  std::optional<std::string> answer_list;
  // With --no-dictionary: ask and auto consult no dictionary.
  bool no_dictionary = false;
  bool stage_trace = false;
  std::optional<std::string> report_path;
  std::optional<std::string> data_folder;
  // With --audio: the folder of one WAV file per input, spoken at
  // --audio-rate words per minute.
  std::optional<std::string> audio_folder;
  int audio_rate = kNormalWordsPerMinute;
  bool help = false;
  bool version = false;
  std::vector<std::string> texts;  // none: read standard input
};

// Parses argv[1..]. On a usage error returns nullopt and sets `error`.
std::optional<CommandLine> ParseCommandLine(
    const std::vector<std::string>& args, std::string& error);

// The text of --help.
std::string UsageText();

}  // namespace pimoru

#endif  // PIMORU_CLI_COMMAND_LINE_H_
