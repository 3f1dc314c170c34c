// The compound lexicon through the command line: a listed compound takes
// its ㄴ with the default options where the dictionary answers, and only
// then; the user's own list in the user's folder, as the window finds it.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

bool DictionaryFound() {
  return RunCli({"--version"}).out.find("dictionary found") !=
         std::string::npos;
}

// The reading of each line of `input`.
std::vector<std::string> Readings(const CliResult& r) {
  std::vector<std::string> readings;
  std::size_t begin = 0;
  for (std::size_t end; (end = r.out.find('\n', begin)) != std::string::npos;
       begin = end + 1) {
    const std::string line = r.out.substr(begin, end - begin);
    readings.push_back(line.substr(0, line.find('\t')));
  }
  return readings;
}

// Points the user's folder somewhere else while it lives.
class UserFolderAt {
 public:
  explicit UserFolderAt(const std::filesystem::path& data_home) {
    for (const char* name : {"APPDATA", "XDG_DATA_HOME"}) {
      const char* value = std::getenv(name);
      saved_.push_back(value ? std::optional<std::string>(value)
                             : std::nullopt);
    }
    ::unsetenv("APPDATA");
    ::setenv("XDG_DATA_HOME", data_home.c_str(), 1);
  }
  ~UserFolderAt() {
    const char* names[] = {"APPDATA", "XDG_DATA_HOME"};
    for (std::size_t k = 0; k < saved_.size(); ++k) {
      if (saved_[k]) {
        ::setenv(names[k], saved_[k]->c_str(), 1);
      } else {
        ::unsetenv(names[k]);
      }
    }
  }

 private:
  std::vector<std::optional<std::string>> saved_;
};

// With the dictionary deciding, the listed 꽃잎 takes its ㄴ with
// N-insertion off as on; every way of switching the dictionary off reads
// as before, with the option off.
TEST(CliCompounds, ListedCompoundsReadRightOnlyWhereTheDictionaryAnswers) {
  if (!DictionaryFound()) GTEST_SKIP() << "the dictionary is not installed";
  const std::string input = "꽃잎이\n솜이\n";
  struct Case {
    std::vector<std::string> args;
    std::vector<std::string> readings;
  } const cases[] = {
      {{"--answers", "auto"}, {"꼰니피", "소미"}},
      {{"--answers", "auto", "--n-insert"}, {"꼰니피", "소미"}},
      {{"--answers", "auto", "--no-dictionary"}, {"꼬치피", "소미"}},
      {{"--answers", "no"}, {"꼬치피", "소미"}},
      {{"--answers", "yes"}, {"꼬치피", "소미"}},
      {{"--answer-list", "yy"}, {"꼬치피", "소미"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1]);
    const CliResult r = RunCli(WithData(c.args), input);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Readings(r), c.readings);
  }
}

// The user's compounds.tsv in the user's folder: its line wins over the
// shipped one; a bad line is said on standard error with the file and the
// line where the run read the list, and the conversion goes on with the
// shipped list.
TEST(CliCompounds, TheUsersListInTheUsersFolder) {
  if (!DictionaryFound()) GTEST_SKIP() << "the dictionary is not installed";
  TempFolder home;
  const std::filesystem::path folder =
      home.path() / "Vorquent" / "Pimoru" / "Sys";
  std::filesystem::create_directories(folder);
  const UserFolderAt user(home.path());
  const std::vector<std::string> args =
      WithData({"--answers", "auto", "--no-h-strong"});

  home.WriteBytes("Vorquent/Pimoru/Sys/compounds.tsv",
                  "# mine\n꽃잎\t꽃+잎\t-\tuser\n");
  CliResult r = RunCli(args, "꽃잎\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Readings(r), std::vector<std::string>{"꼬칩"});
  EXPECT_EQ(r.err, "");
  EXPECT_NE(RunCli({"--version"}).out.find((folder / "compounds.tsv").string()),
            std::string::npos);

  home.WriteBytes("Vorquent/Pimoru/Sys/compounds.tsv",
                  "꽃잎\t꽃+잎\t-\tuser\n꽃잎\t꽃잎\n");
  r = RunCli(args, "꽃잎\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Readings(r), std::vector<std::string>{"꼰닙"});
  EXPECT_NE(r.err.find((folder / "compounds.tsv").string() + " 2 行目"),
            std::string::npos)
      << r.err;
  // The run loads the dictionary to know that it is usable, so the bad line
  // is said even where nothing was judged.
  r = RunCli(args, "가\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find((folder / "compounds.tsv").string() + " 2 行目"),
            std::string::npos)
      << r.err;
}

}  // namespace
}  // namespace pimoru
