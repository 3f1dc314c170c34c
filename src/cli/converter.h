// One input of the command line through the tool into its output lines.
#ifndef PIMORU_CLI_CONVERTER_H_
#define PIMORU_CLI_CONVERTER_H_

#include <cstddef>
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

// Appends "pimoru-cli: line 3: <message>" and a line feed to `errors`.
void AppendInputMessage(const InputName& where, std::string_view message,
                        std::string& errors);

class AudioFiles;

class Converter {
 public:
  // The lists, and the sound files where --audio asks for them, are shared
  // with the other converters of the run.
  Converter(const CommandLine& cl, LoadedWordLists& lists, CliAsker& asker,
            AudioFiles* audio = nullptr);

  // Converts one UTF-8 input and appends its output line(s) to `out`.
  // Returns false when the input failed: its output then says so in the
  // format's way (WriteFailure), and the message is appended to `errors`,
  // for stderr, unless a list could not be read, which was said once
  // already. Also false when its sound file could not be written.
  bool ConvertOne(std::string_view utf8, const InputName& where,
                  std::string& out, std::string& errors);

  // The last input that converted since the last call, kept for the report
  // (only when a report is asked for). A blank input is none.
  std::optional<Conversion> TakeLast() { return std::exchange(last_, {}); }

 private:
  void Fail(std::optional<std::u16string_view> input, const InputName& where,
            std::string_view message, bool said, std::string& out,
            std::string& errors) const;

  const CommandLine& cl_;
  LoadedWordLists& lists_;
  CliAsker& asker_;
  AudioFiles* audio_;
  Conversion current_;  // its buffers serve every input
  std::optional<Conversion> last_;
};

}  // namespace pimoru

#endif  // PIMORU_CLI_CONVERTER_H_
