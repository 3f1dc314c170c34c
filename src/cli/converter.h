// One input of the command line through the tool into its output lines.
#ifndef PIMORU_CLI_CONVERTER_H_
#define PIMORU_CLI_CONVERTER_H_

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "cli/answerers.h"
#include "cli/command_line.h"
#include "hangul/word_list.h"
#include "render/conversion.h"

namespace pimoru {

// Names an input in messages: "line 3" of standard input or "argument 2".
// The name is only spelled out when a message needs it.
struct InputName {
  std::string_view kind;
  std::size_t number = 0;
};

class Converter {
 public:
  Converter(const CommandLine& cl, const std::filesystem::path& data,
            CliAsker& asker);

  // Converts one UTF-8 input and appends its output line(s) to `out`.
  // Returns false (with the message appended to `errors`, for stderr) when
  // the input failed; its output is then an empty line, so output lines
  // stay aligned with input lines.
  bool ConvertOne(std::string_view utf8, const InputName& where,
                  std::string& out, std::string& errors);

  // The last input that converted since the last call, kept for the report
  // (only when a report is asked for).
  std::optional<Conversion> TakeLast() { return std::exchange(last_, {}); }

 private:
  const CommandLine& cl_;
  FolderWordLists lists_;
  CliAsker& asker_;
  Conversion current_;  // its buffers serve every input
  std::optional<Conversion> last_;
};

}  // namespace pimoru

#endif  // PIMORU_CLI_CONVERTER_H_
