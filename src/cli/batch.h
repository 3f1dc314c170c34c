// The command line's inputs: the arguments, or the lines of standard input,
// one after another or spread over several workers.
#ifndef PIMORU_CLI_BATCH_H_
#define PIMORU_CLI_BATCH_H_

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/answerers.h"
#include "cli/command_line.h"
#include "render/conversion.h"

namespace pimoru {

// Hands out the lines of a file descriptor as std::getline splits them
// (without the line feed, and without a carriage return before it),
// reading a block at a time. A read returns what is there, so lines typed
// on a terminal are handed out as they come.
class LineReader {
 public:
  explicit LineReader(int fd) : fd_(fd) {}
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // The next line, valid until the next call; false at the end.
  bool Next(std::string_view& line);

 private:
  static constexpr std::size_t kBlock = 1 << 16;
  int fd_;
  std::string buffer_;
  std::size_t begin_ = 0;  // of the bytes not handed out yet
  bool at_end_ = false;
};

// Writes what has been gathered for standard output and standard error.
void WriteOut(std::string& out);
void WriteErrors(std::string& errors);

// How many workers a batch of standard input gets: one per core, and none
// (one input at a time) when questions go to the terminal.
int BatchWorkers(const CliAsker& asker);

// Converts the texts of the command line, or with none every line of
// standard input, and writes their output in input order. Returns whether
// every input converted; `last` receives the last that did, for the report.
bool ConvertInputs(const CommandLine& cl, const std::filesystem::path& data,
                   CliAsker& asker, std::optional<Conversion>& last);

}  // namespace pimoru

#endif  // PIMORU_CLI_BATCH_H_
