// pimoru-cli: the reading conversion and the transcription for scripts and
// whole files.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/answerers.h"
#include "cli/batch.h"
#include "cli/command_line.h"
#include "render/conversion.h"
#include "report/work_report.h"

namespace pimoru {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitSomeFailed = 1;
constexpr int kExitUsage = 2;

std::filesystem::path InstalledDataFolder() {
  std::error_code ec;
  const std::filesystem::path exe =
      std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "share/pimoru";
  return exe.parent_path().parent_path() / "share" / "pimoru";
}

// Writes the report of the last input that converted.
bool WriteReport(const CommandLine& cl, const std::filesystem::path& data,
                 const std::optional<Conversion>& last) {
  if (!cl.report_path || !last) return true;
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
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  const std::optional<CommandLine> cl = ParseCommandLine(args, error);
  if (!cl) {
    std::cerr << "pimoru-cli: " << error << "\n"
              << "Try 'pimoru-cli --help'.\n";
    return kExitUsage;
  }
  if (cl->help) {
    std::cout << UsageText();
    return kExitOk;
  }
  if (cl->version) {
    std::cout << "pimoru-cli " << PIMORU_VERSION << '\n'
              << "dictionary " << DictionaryStatus() << '\n';
    return kExitOk;
  }
  if (const std::optional<std::string> warning =
          MissingDictionaryWarning(*cl)) {
    std::cerr << "pimoru-cli: " << *warning << '\n';
  }
  const std::unique_ptr<CliAsker> asker = MakeAsker(*cl);
  if (!asker) {
    std::cerr << "pimoru-cli: --answers ask needs a terminal (/dev/tty)\n";
    return kExitUsage;
  }
  const std::filesystem::path data =
      cl->data_folder ? std::filesystem::path(*cl->data_folder)
                      : InstalledDataFolder();
  std::optional<Conversion> last;
  bool all_ok = ConvertInputs(*cl, data, *asker, last);
  std::fflush(stdout);
  all_ok = WriteReport(*cl, data, last) && all_ok;
  return all_ok ? kExitOk : kExitSomeFailed;
}

}  // namespace
}  // namespace pimoru

int main(int argc, char** argv) { return pimoru::Main(argc, argv); }
