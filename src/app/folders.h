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

// Creates the system folder with every missing parent. A problem when it
// does not exist as a folder afterwards.
FileProblem CreateSystemFolder(const Folders& folders);

// The lock file that keeps a second window from starting: in
// $XDG_RUNTIME_DIR when that names a folder, else in the temporary folder
// with the user's number in the name, so that users do not share it.
std::filesystem::path InstanceLockPath(const EnvironmentLookup& environment);

}  // namespace pimoru

#endif  // PIMORU_APP_FOLDERS_H_
