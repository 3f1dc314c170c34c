// Runs the built pimoru-cli with arguments and standard input, as a user's
// shell would, and collects what it printed.
#ifndef PIMORU_TESTS_CLI_CLI_RUNNER_H_
#define PIMORU_TESTS_CLI_CLI_RUNNER_H_

#include <cstddef>
#include <string>
#include <vector>

namespace pimoru {

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
  // How much of the input went into the program's pipe before it closed
  // its end (all of it for a program that reads to the end).
  std::size_t input_taken = 0;
};

// Arguments are passed as they are (no shell). Standard input is `input`.
// The program is the one built beside the tests, or the one the environment
// variable PIMORU_CLI_UNDER_TEST names (an installed one, or another build).
CliResult RunCli(const std::vector<std::string>& args,
                 const std::string& input = "");

// Runs `line` with /bin/sh, where "$@" is the program with `args`, for what
// only a shell makes: "$@" >/dev/full, "$@" >&-, "$@" | head -n 1.
CliResult RunCliInShell(const std::string& line,
                        const std::vector<std::string>& args,
                        const std::string& input = "");

// The same with standard input read from `input_fd` (a pseudo-terminal, a
// folder), which the caller keeps and closes.
CliResult RunCliReading(int input_fd, const std::vector<std::string>& args);

// The arguments that point the command line at the staged data.
std::vector<std::string> WithData(std::vector<std::string> args);

}  // namespace pimoru

#endif  // PIMORU_TESTS_CLI_CLI_RUNNER_H_
