#include "app/folders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
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

// A folder of the user's own, or the test's stand-in: its path.
std::string Private(const TempFolder& folder, const char* name) {
  const std::filesystem::path path = folder.path() / name;
  std::filesystem::create_directory(path);
  ::chmod(path.c_str(), 0700);
  return path.string();
}

// The lock, the socket and the settings of a user without a home folder
// never go where other users could put something first: the runtime folder
// is $XDG_RUNTIME_DIR only when that is the user's own, else a folder of
// the user's own in the temporary folder.
TEST(RuntimeFolder, TheUsersOwnRuntimeFolderElseOneInTheTemporaryFolder) {
  TempFolder root;
  const std::string own = Private(root, "own");
  const std::string open = Private(root, "open");
  ::chmod(open.c_str(), 0777);
  const std::string per_user = "pimoru-" + std::to_string(::geteuid());
  struct Case {
    const char* name;
    Environment environment;
    std::filesystem::path folder;
  } const cases[] = {
      {"the user's runtime folder", {{"XDG_RUNTIME_DIR", own}}, own},
      {"none", {}, "/tmp/" + per_user},
      {"none, with TMPDIR", {{"TMPDIR", "/t"}}, "/t/" + per_user},
      {"a relative TMPDIR", {{"TMPDIR", "t"}}, "/tmp/" + per_user},
      {"missing", {{"XDG_RUNTIME_DIR", own + "/missing"}}, "/tmp/" + per_user},
      {"relative", {{"XDG_RUNTIME_DIR", "own"}}, "/tmp/" + per_user},
      {"open to others", {{"XDG_RUNTIME_DIR", open}}, "/tmp/" + per_user},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RuntimeFolder(Lookup(c.environment)), c.folder);
  }
  EXPECT_EQ(InstanceLockPath(own), std::filesystem::path(own) /
                                       (std::string(kInstanceName) + ".lock"));
}

// Root makes the folders of other users.
TEST(MakePrivateFolder, MakesItOrAcceptsOnlyAFolderOfTheUsersOwn) {
  struct Case {
    const char* name;
    std::function<void(const std::filesystem::path&)> make;
    bool needs_root;
    FileProblem problem;
  } const cases[] = {
      {"nothing there", [](const auto&) {}, false, {}},
      {"the user's own",
       [](const auto& p) { ::mkdir(p.c_str(), 0700); },
       false,
       {}},
      {"open to others", [](const auto& p) { ::mkdir(p.c_str(), 0777); }, false,
       FileProblem::NotPrivate()},
      {"others may enter", [](const auto& p) { ::mkdir(p.c_str(), 0711); },
       false, FileProblem::NotPrivate()},
      {"a link to the user's own folder",
       [](const auto& p) {
         ::mkdir((p.string() + "-real").c_str(), 0700);
         std::filesystem::create_symlink(p.string() + "-real", p);
       },
       false, FileProblem::NotPrivate()},
      {"a file", [](const auto& p) { std::ofstream(p) << "x"; }, false,
       FileProblem::NotPrivate()},
      {"another user's, mode 700",
       [](const auto& p) {
         ::mkdir(p.c_str(), 0700);
         EXPECT_EQ(::chown(p.c_str(), 4242, 4242), 0);
       },
       true, FileProblem::NotPrivate()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.needs_root && ::geteuid() != 0) continue;
    TempFolder root;
    const std::filesystem::path folder = root.path() / "pimoru-1000";
    c.make(folder);
    EXPECT_EQ(MakePrivateFolder(folder), c.problem);
    if (!c.problem) {
      struct stat st;
      ASSERT_EQ(::stat(folder.c_str(), &st), 0);
      EXPECT_EQ(st.st_mode & 0777, 0700u);
    }
  }
}

// Without a home folder the settings go to the runtime folder, never to a
// folder other users share; one that is not the user's own is refused, and
// nothing is made in it.
TEST(LocateFolders, WithoutAHomeTheSystemFolderIsInTheRuntimeFolder) {
  TempFolder root;
  const Folders folders = LocateFolders(
      Lookup({{"TMPDIR", root.path().string()}}), "/opt/pimoru/bin");
  const std::filesystem::path runtime =
      root.path() / ("pimoru-" + std::to_string(::geteuid()));
  EXPECT_EQ(folders.private_folder, runtime);
  EXPECT_EQ(folders.system_folder, runtime / "Vorquent" / "Pimoru" / "Sys");
  // Someone else made it first, open to all.
  ::mkdir(runtime.c_str(), 0777);
  ::chmod(runtime.c_str(), 0777);
  EXPECT_EQ(CreateSystemFolder(folders), FileProblem::NotPrivate());
  EXPECT_TRUE(std::filesystem::is_empty(runtime));
  ::chmod(runtime.c_str(), 0700);
  EXPECT_EQ(CreateSystemFolder(folders), FileProblem{});
  EXPECT_TRUE(std::filesystem::is_directory(folders.system_folder));
}

}  // namespace
}  // namespace pimoru
