// pimoru-cli: the reading conversion and the transcription for scripts and
// whole files.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/answerers.h"
#include "cli/audio_files.h"
#include "cli/batch.h"
#include "cli/command_line.h"
#include "hangul/word_list.h"
#include "render/conversion.h"
#include "report/work_report.h"
#include "speech/speech.h"

namespace pimoru {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitSomeFailed = 1;
constexpr int kExitUsage = 2;

// A standard stream that was closed (">&-", "<&-") is opened on /dev/null
// the wrong way round: using it fails as using the closed one would, and no
// file the program opens later takes its number and its output.
void HoldClosedStandardStreams() {
  for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    const int held =
        ::open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY);
    if (held >= 0 && held != fd) {
      ::dup2(held, fd);
      ::close(held);
    }
  }
}

std::filesystem::path InstalledDataFolder() {
  std::error_code ec;
  const std::filesystem::path exe =
      std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "share/pimoru";
  return exe.parent_path().parent_path() / "share" / "pimoru";
}

// Why a folder named with --data cannot be the data folder, or nothing.
std::optional<std::string> DataFolderProblem(
    const std::filesystem::path& data) {
  struct stat st;
  if (::stat(data.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    return "--data " + data.string() + ": no such folder";
  }
  if (::stat((data / "kdat").c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    return "--data " + data.string() + ": holds no kdat/ folder";
  }
  return std::nullopt;
}

// Writes the report of the last input that converted.
bool WriteReport(const CommandLine& cl, const std::filesystem::path& data,
                 const std::optional<Conversion>& last) {
  if (!cl.report_path) return true;
  if (!last) {
    std::cerr << "pimoru-cli: no input converted, so no report was written to "
              << *cl.report_path << '\n';
    return false;
  }
  try {
    WriteWorkReport(*cl.report_path, *last,
                    std::filesystem::absolute(data / "html"));
  } catch (const ConversionError& e) {
    std::cerr << "pimoru-cli: " << e.what() << '\n';
    return false;
  }
  return true;
}

int Main(int argc, char** argv) {
  HoldClosedStandardStreams();
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  const std::optional<CommandLine> cl = ParseCommandLine(args, error);
  if (!cl) {
    std::cerr << "pimoru-cli: " << error << "\n"
              << "Try 'pimoru-cli --help'.\n";
    return kExitUsage;
  }
  StandardOutput out;
  if (cl->help || cl->version) {
    std::string text = cl->help ? UsageText()
                                : std::string("pimoru-cli ") + PIMORU_VERSION +
                                      "\ndictionary " + DictionaryStatus() +
                                      "\nspeech " +
                                      SpeechStatus(*MakeSpeaker()) + "\n";
    out.Write(text);
    return out.Close() ? kExitOk : kExitSomeFailed;
  }
  if (cl->data_folder) {
    if (std::optional<std::string> problem =
            DataFolderProblem(*cl->data_folder)) {
      std::cerr << "pimoru-cli: " << *problem << '\n';
      return kExitUsage;
    }
  }
  if (const std::optional<std::string> warning =
          MissingDictionaryWarning(*cl)) {
    std::cerr << "pimoru-cli: " << *warning << '\n';
  }
  // Speech is started here, only when sound files are asked for.
  std::optional<AudioFiles> audio;
  bool audio_ok = true;
  if (cl->audio_folder) {
    const std::shared_ptr<const Speaker> speaker = MakeSpeaker();
    if (const SpeakerState state = speaker->State();
        state.support != SpeechSupport::kReady) {
      std::cerr << "pimoru-cli: --audio: speech is not available: "
                << state.problem << '\n';
      return kExitUsage;
    }
    audio.emplace(*speaker, *cl->audio_folder, cl->audio_rate);
    if (const std::optional<std::string> problem = audio->Prepare()) {
      std::cerr << "pimoru-cli: " << *problem << '\n';
      audio_ok = false;
    }
  }
  const std::unique_ptr<CliAsker> asker = MakeAsker(*cl);
  if (!asker) {
    std::cerr << "pimoru-cli: --answers ask needs a terminal (/dev/tty)\n";
    return kExitUsage;
  }
  const std::filesystem::path data =
      cl->data_folder ? std::filesystem::path(*cl->data_folder)
                      : InstalledDataFolder();
  // Read once for the run and shared by every input; a list that cannot be
  // read is said here, once, and fails every input that needs it.
  LoadedWordLists lists(data / "kdat");
  const std::vector<std::string> list_errors = lists.Errors();
  for (const std::string& list_error : list_errors) {
    std::cerr << "pimoru-cli: " << list_error << '\n';
  }
  std::optional<Conversion> last;
  bool all_ok =
      ConvertInputs(*cl, lists, *asker, out, last, audio ? &*audio : nullptr) &&
      audio_ok;
  // After a failed write the run ends there: its last input is not the
  // last one given.
  if (!out.failed()) all_ok = WriteReport(*cl, data, last) && all_ok;
  all_ok = out.Close() && all_ok;
  return all_ok && list_errors.empty() ? kExitOk : kExitSomeFailed;
}

}  // namespace
}  // namespace pimoru

int main(int argc, char** argv) { return pimoru::Main(argc, argv); }
