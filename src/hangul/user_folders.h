// Where the program's data and the user's own files are, the same for the
// window and the command line:
//
//   UserFolder     the per-user folder: $APPDATA/Vorquent/Pimoru/Sys, else
//                  $XDG_DATA_HOME/Vorquent/Pimoru/Sys, else
//                  ~/.local/share/Vorquent/Pimoru/Sys
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

// The environment of this process.
std::optional<std::string> ProcessEnvironment(const char* name);

// A variable's value as a path; nullopt when it is not set or empty.
std::optional<std::filesystem::path> PathVariable(
    const EnvironmentLookup& environment, const char* name);

// Both are absolute.
std::filesystem::path UserFolder(const EnvironmentLookup& environment);
std::filesystem::path ProgramFolder(
    const EnvironmentLookup& environment,
    const std::filesystem::path& executable_folder);

// Where the build and the installation put the data beside the programs:
// <folder of the executable>/../share/pimoru, as absolute as the folder
// given. The command line reads its data there unless told otherwise.
std::filesystem::path InstalledDataFolder(
    const std::filesystem::path& executable_folder);

}  // namespace pimoru

#endif  // PIMORU_HANGUL_USER_FOLDERS_H_
