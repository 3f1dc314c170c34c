// Questions asked on the terminal: the program gets a pseudo-terminal of its
// own as its controlling terminal, and the test types the answers there.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

struct TerminalRun {
  int status = -1;  // -1 when a signal ended the program
  int signal = 0;   // that signal
  std::string out;
  std::string err;       // with a hang-up only; otherwise on the terminal
  std::string terminal;  // what the terminal showed
};

// What happens to the terminal once the answers are used up.
enum class AfterAnswers {
  kWait,           // it stays until no question has come for a few seconds
  kHangUp,         // the next question closes it, as closing its window does
  kHangUpIgnored,  // the same for a program that ignores SIGHUP (nohup)
};

// The prompts a terminal has shown, with a guess as the default or without.
std::size_t Prompts(const std::string& terminal) {
  return CountOf(terminal, "同じ答え] ");
}

// Runs the program with `args`, typing `answers` one after another, each
// once a new question has been shown. A question that never comes ends the
// run after a few seconds. Where the terminal is hung up, standard error
// goes to `err`, so that what is said after the hang-up is kept.
TerminalRun RunOnTerminal(const std::vector<std::string>& args,
                          const std::vector<std::string>& answers,
                          AfterAnswers after = AfterAnswers::kWait) {
  TerminalRun run;
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return run;
  const std::string slave_name = ptsname(master);
  const bool hang_up = after != AfterAnswers::kWait;
  int out_pipe[2];
  int err_pipe[2];
  if (pipe(out_pipe) != 0 || pipe(err_pipe) != 0) return run;
  const char* const other = std::getenv("PIMORU_CLI_UNDER_TEST");
  std::string program = other != nullptr ? other : PIMORU_CLI_PATH;
  std::vector<std::string> copies = args;
  std::vector<char*> argv = {program.data()};
  for (std::string& a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    setsid();
    const int slave = open(slave_name.c_str(), O_RDWR);
    ioctl(slave, TIOCSCTTY, 0);
    const int nothing = open("/dev/null", O_RDONLY);
    dup2(nothing, STDIN_FILENO);
    dup2(out_pipe[1], STDOUT_FILENO);
    dup2(hang_up ? err_pipe[1] : slave, STDERR_FILENO);
    for (const int fd : {master, nothing, out_pipe[0], out_pipe[1], err_pipe[0],
                         err_pipe[1]}) {
      close(fd);
    }
    // The terminal stays the controlling one only while something holds
    // it open: the slave's own descriptor, where stderr does not.
    if (!hang_up) close(slave);
    if (after == AfterAnswers::kHangUpIgnored) signal(SIGHUP, SIG_IGN);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(out_pipe[1]);
  close(err_pipe[1]);
  std::size_t typed = 0;
  while (true) {
    pollfd ready{master, POLLIN, 0};
    // The first question may wait for the dictionary to load, which takes
    // seconds in a sanitised build on a busy machine.
    const int wait_ms = run.terminal.empty() ? 60000 : 5000;
    if (poll(&ready, 1, wait_ms) <= 0) break;  // no new question comes
    char buffer[4096];
    const ssize_t got = read(master, buffer, sizeof buffer);
    if (got <= 0) break;  // the program has ended
    run.terminal.append(buffer, static_cast<std::size_t>(got));
    const std::size_t asked = Prompts(run.terminal);
    if (asked > typed && typed == answers.size() && hang_up) break;
    if (asked > typed && typed < answers.size()) {
      const std::string line = answers[typed++] + "\n";
      if (write(master, line.data(), line.size()) < 0) break;
    }
  }
  close(master);
  char buffer[4096];
  ssize_t got;
  while ((got = read(out_pipe[0], buffer, sizeof buffer)) > 0) {
    run.out.append(buffer, static_cast<std::size_t>(got));
  }
  close(out_pipe[0]);
  while ((got = read(err_pipe[0], buffer, sizeof buffer)) > 0) {
    run.err.append(buffer, static_cast<std::size_t>(got));
  }
  close(err_pipe[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  return run;
}

// One answer is one line, however long; the question after it is still
// shown and takes the next line.
TEST(CliTerminal, LongAnswersLeaveLaterQuestionsAlone) {
  for (const std::size_t length : {1u, 63u, 64u, 65u, 200u, 4000u}) {
    SCOPED_TRACE(length);
    const std::string yes(length, 'y');
    // Without the dictionary, which would decide 심리 itself.
    const TerminalRun run = RunOnTerminal(
        WithData({"--answers", "ask", "--no-dictionary", "심리 심리"}),
        {yes, "n"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Prompts(run.terminal), 2u) << run.terminal;
    EXPECT_EQ(run.out.substr(0, run.out.find('\t')), "심니 심리") << run.out;
  }
}

// The terminal closed while a question waits: no question is answered for
// the user. A program that ignores the hang-up (under nohup) reads no
// answer, says so naming the input, and stops with status 1; one that does
// not is ended by the hang-up as any terminal program is. The inputs before
// keep their output.
TEST(CliTerminal, AClosedTerminalStopsTheRunUnanswered) {
  const std::vector<std::string> args =
      WithData({"--answers", "ask", "--no-dictionary", "심리", "심리", "심리"});
  const TerminalRun ignored =
      RunOnTerminal(args, {"y"}, AfterAnswers::kHangUpIgnored);
  EXPECT_EQ(ignored.status, 1);
  EXPECT_EQ(ignored.err,
            "pimoru-cli: argument 2: no answer from the terminal (closed, or "
            "its input ended); the run stops here\n");
  EXPECT_EQ(ignored.out, "심니\tʃim ni\tシムニ\n\n") << ignored.out;

  const TerminalRun hung_up = RunOnTerminal(args, {"y"}, AfterAnswers::kHangUp);
  EXPECT_EQ(hung_up.signal, SIGHUP);
  EXPECT_TRUE(hung_up.out.starts_with("심니\t")) << hung_up.out;
}

// "y!" answers the same question about the same word for the rest of the
// input; the next input is asked again.
TEST(CliTerminal, AnAnswerWithAnExclamationMarkIsKeptForTheSameWord) {
  const TerminalRun run =
      RunOnTerminal(WithData({"--answers", "ask", "--no-dictionary",
                              "심리 심리 심리", "심리"}),
                    {"y!", "n"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(Prompts(run.terminal), 2u) << run.terminal;
  EXPECT_EQ(run.out,
            "심니 심니 심니\tʃim ni  ʃim ni  ʃim ni\tシムニ   シムニ   シムニ\n"
            "심리\tʃim ri\tシムリ\n")
      << run.out;
}

// The numeral before 번 is asked with the guess of the stage as the answer
// an empty line gives, whether or not the dictionary is consulted.
TEST(CliTerminal, AnEmptyLineTakesTheGuessOfACounter) {
  for (const bool dictionary : {false, true}) {
    SCOPED_TRACE(dictionary ? "dictionary" : "no dictionary");
    std::vector<std::string> args = {"--answers", "ask", "--read-numbers",
                                     "3번 버스 2번"};
    if (!dictionary) args.push_back("--no-dictionary");
    const TerminalRun run = RunOnTerminal(WithData(args), {"", ""});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Prompts(run.terminal), 2u) << run.terminal;
    const std::size_t number = run.terminal.find("「3번」（세 번／삼 번）");
    const std::size_t count = run.terminal.find("「2번」（두 번／이 번）");
    ASSERT_NE(number, std::string::npos) << run.terminal;
    ASSERT_NE(count, std::string::npos) << run.terminal;
    EXPECT_NE(run.terminal.find("[y/N、", number), std::string::npos);
    EXPECT_NE(run.terminal.find("[Y/n、", count), std::string::npos);
    EXPECT_EQ(run.out.substr(0, run.out.find('\t')), "삼 번 버스 두번")
        << run.out;
  }
}

}  // namespace
}  // namespace pimoru
