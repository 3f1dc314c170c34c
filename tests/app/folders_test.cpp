#include "app/folders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <map>
#include <string>

#include "support/test_support.h"

namespace pimoru {
namespace {

using Environment = std::map<std::string, std::string>;

EnvironmentLookup Lookup(const Environment& environment) {
  return [environment](const char* name) -> std::optional<std::string> {
    const auto found = environment.find(name);
    if (found == environment.end()) return std::nullopt;
    return found->second;
  };
}

TEST(LocateFolders, EnvironmentPicksTheFolders) {
  struct Case {
    const char* name;
    Environment environment;
    std::string system_folder;
    std::string program_folder;
  } const cases[] = {
      {"APPDATA and PROGRAMFILES",
       {{"APPDATA", "/a"}, {"PROGRAMFILES", "/p"}, {"XDG_DATA_HOME", "/x"}},
       "/a/Vorquent/Pimoru/Sys",
       "/p/Vorquent/Pimoru"},
      {"XDG_DATA_HOME without APPDATA",
       {{"XDG_DATA_HOME", "/x"}, {"HOME", "/h"}},
       "/x/Vorquent/Pimoru/Sys",
       "/opt/pimoru/share/pimoru"},
      {"empty counts as unset",
       {{"APPDATA", ""},
        {"XDG_DATA_HOME", ""},
        {"PROGRAMFILES", ""},
        {"HOME", "/h"}},
       "/h/.local/share/Vorquent/Pimoru/Sys",
       "/opt/pimoru/share/pimoru"},
      {"a relative XDG_DATA_HOME is ignored",
       {{"XDG_DATA_HOME", "data"}, {"HOME", "/h"}},
       "/h/.local/share/Vorquent/Pimoru/Sys",
       "/opt/pimoru/share/pimoru"},
      {"trailing separators",
       {{"APPDATA", "/a/"}, {"PROGRAMFILES", "/p/"}},
       "/a/Vorquent/Pimoru/Sys",
       "/p/Vorquent/Pimoru"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Folders folders =
        LocateFolders(Lookup(c.environment), "/opt/pimoru/bin");
    EXPECT_EQ(folders.system_folder, c.system_folder);
    EXPECT_EQ(folders.program_folder, c.program_folder);
  }
}

TEST(LocateFolders, PathsUnderTheFolders) {
  const Folders folders = LocateFolders(
      Lookup({{"APPDATA", "/a"}, {"PROGRAMFILES", "/p"}}), "/unused");
  EXPECT_EQ(folders.KdatFolder(), "/p/Vorquent/Pimoru/kdat");
  EXPECT_EQ(folders.HtmlFolder(), "/p/Vorquent/Pimoru/html");
  EXPECT_EQ(folders.ReadmePath(), "/p/Vorquent/Pimoru/Readme.txt");
  EXPECT_EQ(folders.WorkReportPath(), "/a/Vorquent/Pimoru/Sys/Work.html");
  EXPECT_EQ(folders.SettingsPath(), "/a/Vorquent/Pimoru/Sys/Pimoru.rng");
}

TEST(CreateSystemFolder, CreatesEveryMissingParent) {
  TempFolder root;
  Folders folders;
  folders.system_folder = root.path() / "Vorquent" / "Pimoru" / "Sys";
  EXPECT_EQ(CreateSystemFolder(folders), FileProblem{});
  EXPECT_TRUE(std::filesystem::is_directory(folders.system_folder));
  EXPECT_EQ(CreateSystemFolder(folders), FileProblem{});  // already there
}

TEST(CreateSystemFolder, FailsWhereAFileBlocksThePath) {
  TempFolder root;
  root.WriteBytes("Vorquent", "not a folder");
  Folders folders;
  folders.system_folder = root.path() / "Vorquent" / "Pimoru" / "Sys";
  EXPECT_EQ(CreateSystemFolder(folders), FileProblem::System(ENOTDIR));
  folders.system_folder = root.path() / "Vorquent";
  EXPECT_EQ(CreateSystemFolder(folders), FileProblem::System(ENOTDIR));
}

TEST(InstanceLockPath, RuntimeFolderElseTemporaryFolderPerUser) {
  TempFolder runtime;
  const std::string name(kInstanceName);
  EXPECT_EQ(InstanceLockPath(Lookup({{"XDG_RUNTIME_DIR", runtime.path()}})),
            runtime.path() / (name + ".lock"));
  const std::filesystem::path per_user =
      std::filesystem::temp_directory_path() /
      (name + "-" + std::to_string(getuid()) + ".lock");
  EXPECT_EQ(InstanceLockPath(Lookup({})), per_user);
  EXPECT_EQ(InstanceLockPath(
                Lookup({{"XDG_RUNTIME_DIR", runtime.path() / "missing"}})),
            per_user);
  EXPECT_EQ(InstanceLockPath(Lookup({{"XDG_RUNTIME_DIR", "relative"}})),
            per_user);
}

}  // namespace
}  // namespace pimoru
