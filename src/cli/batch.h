// The command line's inputs: the arguments, or the lines of standard input,
// one after another or spread over several workers.
#ifndef PIMORU_CLI_BATCH_H_
#define PIMORU_CLI_BATCH_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/answerers.h"
#include "cli/command_line.h"
#include "hangul/word_list.h"
#include "render/conversion.h"

namespace pimoru {

class AudioFiles;

// Hands out the lines of a file descriptor as std::getline splits them
// (without the line feed, and without a carriage return before it),
// reading a block at a time. A read returns what is there, so lines typed
// on a terminal are handed out as they come.
class LineReader {
 public:
  explicit LineReader(int fd) : fd_(fd) {}
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // The next line, valid until the next call; false at the end, and when a
  // read failed (the lines before it are all handed out first).
  bool Next(std::string_view& line);
  // The errno of the read that failed, or 0.
  int error() const { return error_; }

 private:
  static constexpr std::size_t kBlock = 1 << 16;
  int fd_;
  std::string buffer_;
  std::size_t begin_ = 0;  // of the bytes not handed out yet
  bool at_end_ = false;
  int error_ = 0;
};

// Standard output, written in large pieces straight to the file
// descriptor. The first write that fails (a full disk, a closed pipe, a
// closed stream) is said once on standard error, and nothing is written
// after it: the caller stops reading input and the run ends with status 1,
// so that a script never takes a cut-off output for a whole one.
class StandardOutput {
 public:
  StandardOutput() = default;
  StandardOutput(const StandardOutput&) = delete;
  StandardOutput& operator=(const StandardOutput&) = delete;

  // Writes `text` and clears it; false once any write has failed.
  bool Write(std::string& text);
  // Closes standard output, which is where some file systems report a
  // failed write; false when that or any write failed.
  bool Close();
  bool failed() const { return failed_; }

 private:
  void Fail(int error);

  bool failed_ = false;
};

// Writes what has been gathered for standard error.
void WriteErrors(std::string& errors);

// How many workers a batch of standard input gets: one per core, and none
// (one input at a time) when questions go to the terminal.
int BatchWorkers(const CliAsker& asker);

// Converts the texts of the command line, or with none every line of
// standard input (a leading UTF-8 byte-order mark skipped), and writes their
// output in input order to `out`, stopping when a write fails. Returns
// whether every input converted and standard input could be read; `last`
// receives the last input that converted and was not blank, for the report.
// With `audio`, each input's reading is also spoken into its sound file.
bool ConvertInputs(const CommandLine& cl, LoadedWordLists& lists,
                   CliAsker& asker, StandardOutput& out,
                   std::optional<Conversion>& last,
                   AudioFiles* audio = nullptr);

}  // namespace pimoru

#endif  // PIMORU_CLI_BATCH_H_
