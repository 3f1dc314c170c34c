// The window's folders: the per-user system folder (Pimoru.rng, Work.html,
// compounds.tsv) and the installed data, found as hangul/user_folders.h
// says. Nothing here needs Qt.
#ifndef PIMORU_APP_FOLDERS_H_
#define PIMORU_APP_FOLDERS_H_

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/system_reason.h"
#include "hangul/user_folders.h"

namespace pimoru {

// Only one window runs at a time; its lock file is named after this.
inline constexpr std::string_view kInstanceName = "韓国の荒野は人を強くする";

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
