// The window's folders: the per-user system folder and the installed data.
//
//   SystemFolder   Pimoru.rng and Work.html: $APPDATA/Vorquent/Pimoru/Sys,
//                  else $XDG_DATA_HOME/Vorquent/Pimoru/Sys, else
//                  ~/.local/share/Vorquent/Pimoru/Sys, else (no home
//                  folder at all) <runtime folder>/Vorquent/Pimoru/Sys
//   ProgramFolder  kdat/, html/, Readme.txt: $PROGRAMFILES/Vorquent/Pimoru,
//                  else <folder of the executable>/../share/pimoru
//   RuntimeFolder  the lock and the socket of the one window: a folder of
//                  the user's own, never one that other users share
//
// The environment is passed in as a lookup, so tests can name their own.
// Nothing here needs Qt.
#ifndef PIMORU_APP_FOLDERS_H_
#define PIMORU_APP_FOLDERS_H_

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/system_reason.h"

namespace pimoru {

// Only one window runs at a time; its lock file is named after this.
inline constexpr std::string_view kInstanceName = "韓国の荒野は人を強くする";

// The value of an environment variable; nullopt when it is not set.
using EnvironmentLookup =
    std::function<std::optional<std::string>(const char* name)>;

// The environment of this process. HOME, where it is not set or empty, is
// the home folder of the user database, as a login sets it.
std::optional<std::string> ProcessEnvironment(const char* name);

struct Folders {
  std::filesystem::path system_folder;
  std::filesystem::path program_folder;
  // Where there is no home folder: the runtime folder that holds the
  // system folder, which CreateSystemFolder makes sure is the user's own.
  // Empty otherwise.
  std::filesystem::path private_folder;

  std::filesystem::path KdatFolder() const { return program_folder / "kdat"; }
  std::filesystem::path HtmlFolder() const { return program_folder / "html"; }
  std::filesystem::path WorkReportPath() const {
    return system_folder / "Work.html";
  }
  std::filesystem::path SettingsPath() const;
  std::filesystem::path ReadmePath() const {
    return program_folder / "Readme.txt";
  }
};

// Works out both folders; creates nothing. A variable that is set but empty
// counts as not set.
Folders LocateFolders(const EnvironmentLookup& environment,
                      const std::filesystem::path& executable_folder);

// Creates the system folder with every missing parent, within a private
// folder made by MakePrivateFolder where there is one. A problem when it
// does not exist as a folder afterwards, or the private folder is not the
// user's own.
FileProblem CreateSystemFolder(const Folders& folders);

// The folder of the user's own for the lock and the socket (and the
// settings where there is no home folder): $XDG_RUNTIME_DIR when it is an
// absolute path to a private folder (see below), as a login makes it,
// else pimoru-<uid> in $TMPDIR (by default /tmp), which MakePrivateFolder
// makes. Creates nothing.
std::filesystem::path RuntimeFolder(const EnvironmentLookup& environment);

// Whether `folder` is private: a folder (not a link to one) that this
// user owns and no one else may enter (mode 700), so that no other user can
// put anything in it.
bool IsPrivateFolder(const std::filesystem::path& folder);

// Makes `folder` with mode 700 unless something stands there, and checks
// that it is private. A problem (kNotPrivate) when it is not: another
// user's folder, a folder open to others, a link, a file. It is then left
// as it is, and nothing is to be read from it or put in it.
FileProblem MakePrivateFolder(const std::filesystem::path& folder);

// The lock file that keeps a second window from starting, in the runtime
// folder.
std::filesystem::path InstanceLockPath(
    const std::filesystem::path& runtime_folder);

}  // namespace pimoru

#endif  // PIMORU_APP_FOLDERS_H_
