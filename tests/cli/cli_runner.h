// Runs the built pimoru-cli with arguments and standard input, as a user's
// shell would, and collects what it printed.
#ifndef PIMORU_TESTS_CLI_CLI_RUNNER_H_
#define PIMORU_TESTS_CLI_CLI_RUNNER_H_

#include <string>
#include <vector>

namespace pimoru {

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Arguments are passed as they are (no shell). Standard input is `input`.
CliResult RunCli(const std::vector<std::string>& args,
                 const std::string& input = "");

// The arguments that point the command line at the staged data.
std::vector<std::string> WithData(std::vector<std::string> args);

}  // namespace pimoru

#endif  // PIMORU_TESTS_CLI_CLI_RUNNER_H_
