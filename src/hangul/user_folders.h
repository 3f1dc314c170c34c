// Where the program's data and the user's own files are, the same for the
// window and the command line:
//
//   UserFolder     the per-user folder: $APPDATA/Vorquent/Pimoru/Sys, else
//                  $XDG_DATA_HOME/Vorquent/Pimoru/Sys, else
//                  ~/.local/share/Vorquent/Pimoru/Sys, else (no home
//                  folder at all) <runtime folder>/Vorquent/Pimoru/Sys
//   ProgramFolder  kdat/, lexicon/, html/, Readme.txt:
//                  $PROGRAMFILES/Vorquent/Pimoru, else <folder of the
//                  executable>/../share/pimoru
//
// The environment is passed in as a lookup, so tests can name their own. A
// variable that is set but empty counts as not set. Nothing is created.
#ifndef PIMORU_HANGUL_USER_FOLDERS_H_
#define PIMORU_HANGUL_USER_FOLDERS_H_

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace pimoru {

// The value of an environment variable; nullopt when it is not set.
using EnvironmentLookup =
    std::function<std::optional<std::string>(const char* name)>;

// The environment of this process. HOME, where it is not set or empty, is
// the home folder of the user database, as a login sets it.
std::optional<std::string> ProcessEnvironment(const char* name);

// A variable's value as a path; nullopt when it is not set or empty.
std::optional<std::filesystem::path> PathVariable(
    const EnvironmentLookup& environment, const char* name);

// Both are absolute.
std::filesystem::path UserFolder(const EnvironmentLookup& environment);
std::filesystem::path ProgramFolder(
    const EnvironmentLookup& environment,
    const std::filesystem::path& executable_folder);

// Where there is no home folder: the runtime folder that holds the user
// folder, which must be made private before anything goes in it (the
// window's MakePrivateFolder); nullopt otherwise.
std::optional<std::filesystem::path> PrivateParentOfUserFolder(
    const EnvironmentLookup& environment);

// The folder of the user's own for the window's lock and socket (and the
// user folder where there is no home folder): $XDG_RUNTIME_DIR when it is
// an absolute path to a private folder, as a login makes it, else
// pimoru-<uid> in $TMPDIR (by default /tmp), which the window makes
// private. Creates nothing.
std::filesystem::path RuntimeFolder(const EnvironmentLookup& environment);

// Whether `folder` is private: a folder (not a link to one) that this
// user owns and no one else may enter (mode 700), so that no other user can
// put anything in it.
bool IsPrivateFolder(const std::filesystem::path& folder);

// Where the build and the installation put the data beside the programs:
// <folder of the executable>/../share/pimoru, as absolute as the folder
// given. The command line reads its data there unless told otherwise.
std::filesystem::path InstalledDataFolder(
    const std::filesystem::path& executable_folder);

}  // namespace pimoru

#endif  // PIMORU_HANGUL_USER_FOLDERS_H_
