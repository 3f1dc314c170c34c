#include "cli/cli_runner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <thread>

#include "support/test_support.h"

namespace pimoru {
namespace {

// Feeds `input` to a pipe on a thread of its own, so a large input cannot
// dead-lock against a full output pipe; returns how much went in before the
// reader closed its end.
std::size_t WriteAll(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = write(fd, data.data() + done, data.size() - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  close(fd);
  return done;
}

std::string ReadAll(int fd) {
  std::string data;
  char buffer[65536];
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) > 0) data.append(buffer, n);
  close(fd);
  return data;
}

std::string ProgramUnderTest() {
  const char* const other = std::getenv("PIMORU_CLI_UNDER_TEST");
  return other != nullptr ? other : PIMORU_CLI_PATH;
}

// Runs argv[0] with argv, its standard input `input` or, when it is not -1,
// `input_fd`.
CliResult Run(std::vector<std::string> argv_strings, const std::string& input,
              int input_fd = -1) {
  // A program that stops reading must not end the tests with SIGPIPE.
  std::signal(SIGPIPE, SIG_IGN);
  int in_pipe[2], out_pipe[2], err_pipe[2];
  if (pipe(in_pipe) != 0 || pipe(out_pipe) != 0 || pipe(err_pipe) != 0) {
    return {};
  }
  std::vector<char*> argv;
  for (std::string& a : argv_strings) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(input_fd != -1 ? input_fd : in_pipe[0], STDIN_FILENO);
    dup2(out_pipe[1], STDOUT_FILENO);
    dup2(err_pipe[1], STDERR_FILENO);
    for (int fd : {in_pipe[0], in_pipe[1], out_pipe[0], out_pipe[1],
                   err_pipe[0], err_pipe[1]}) {
      close(fd);
    }
    // As a shell starts it; no controlling terminal, so questions fall back
    // to the answer policy.
    std::signal(SIGPIPE, SIG_DFL);
    setsid();
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(in_pipe[0]);
  close(out_pipe[1]);
  close(err_pipe[1]);
  CliResult result;
  std::thread feeder([&] { result.input_taken = WriteAll(in_pipe[1], input); });
  std::thread err_reader([&] { result.err = ReadAll(err_pipe[0]); });
  result.out = ReadAll(out_pipe[0]);
  feeder.join();
  err_reader.join();
  int status = 0;
  waitpid(pid, &status, 0);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& args,
                 const std::string& input) {
  std::vector<std::string> argv = {ProgramUnderTest()};
  argv.insert(argv.end(), args.begin(), args.end());
  return Run(std::move(argv), input);
}

CliResult RunCliInShell(const std::string& line,
                        const std::vector<std::string>& args,
                        const std::string& input) {
  std::vector<std::string> argv = {"/bin/sh", "-c", line, "sh",
                                   ProgramUnderTest()};
  argv.insert(argv.end(), args.begin(), args.end());
  return Run(std::move(argv), input);
}

CliResult RunCliReading(int input_fd, const std::vector<std::string>& args) {
  std::vector<std::string> argv = {ProgramUnderTest()};
  argv.insert(argv.end(), args.begin(), args.end());
  return Run(std::move(argv), "", input_fd);
}

std::vector<std::string> WithData(std::vector<std::string> args) {
  args.insert(args.begin(), {"--data", PIMORU_STAGED_DATA_DIR});
  return args;
}

}  // namespace pimoru
