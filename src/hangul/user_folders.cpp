#include "hangul/user_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>
#include <system_error>
#include <vector>

namespace pimoru {
namespace {

std::filesystem::path Vendor(const std::filesystem::path& base) {
  return base / "Vorquent" / "Pimoru";
}

// The report links its help pages by absolute paths.
std::filesystem::path Absolute(const std::filesystem::path& folder) {
  std::error_code ec;
  if (folder.is_relative()) return std::filesystem::absolute(folder, ec);
  return folder;
}

// The folder that holds Vorquent/Pimoru/Sys; nullopt where there is no
// home folder at all.
std::optional<std::filesystem::path> DataHome(const EnvironmentLookup& env) {
  if (auto app_data = PathVariable(env, "APPDATA")) return *app_data;
  std::optional<std::filesystem::path> data_home =
      PathVariable(env, "XDG_DATA_HOME");
  // A relative value is ignored, so the user's files never land in
  // whatever folder the program happened to be started from.
  if (data_home && data_home->is_absolute()) return data_home;
  if (auto home = PathVariable(env, "HOME")) return *home / ".local" / "share";
  return std::nullopt;
}

// The home folder of the user database.
std::optional<std::string> DatabaseHome() {
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
      found != nullptr && found->pw_dir != nullptr && *found->pw_dir != '\0') {
    return std::string(found->pw_dir);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ProcessEnvironment(const char* name) {
  const char* value = std::getenv(name);
  if ((value == nullptr || *value == '\0') &&
      std::string_view(name) == "HOME") {
    return DatabaseHome();
  }
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

std::optional<std::filesystem::path> PathVariable(
    const EnvironmentLookup& environment, const char* name) {
  std::optional<std::string> value = environment(name);
  if (!value || value->empty()) return std::nullopt;
  return std::filesystem::path(*value);
}

std::filesystem::path UserFolder(const EnvironmentLookup& environment) {
  // No home folder at all: never a folder other users share, where one
  // could have put a link to the user's files in their place.
  return Absolute(
      Vendor(DataHome(environment).value_or(RuntimeFolder(environment))) /
      "Sys");
}

std::optional<std::filesystem::path> PrivateParentOfUserFolder(
    const EnvironmentLookup& environment) {
  if (DataHome(environment)) return std::nullopt;
  return RuntimeFolder(environment);
}

std::filesystem::path RuntimeFolder(const EnvironmentLookup& environment) {
  if (auto runtime = PathVariable(environment, "XDG_RUNTIME_DIR")) {
    if (runtime->is_absolute() && IsPrivateFolder(*runtime)) return *runtime;
  }
  std::filesystem::path temp =
      PathVariable(environment, "TMPDIR").value_or("/tmp");
  if (temp.is_relative()) temp = "/tmp";
  return temp / ("pimoru-" + std::to_string(::geteuid()));
}

bool IsPrivateFolder(const std::filesystem::path& folder) {
  struct stat st;
  return ::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
         st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

std::filesystem::path ProgramFolder(
    const EnvironmentLookup& environment,
    const std::filesystem::path& executable_folder) {
  if (auto program_files = PathVariable(environment, "PROGRAMFILES")) {
    return Absolute(Vendor(*program_files));
  }
  return Absolute(InstalledDataFolder(executable_folder));
}

std::filesystem::path InstalledDataFolder(
    const std::filesystem::path& executable_folder) {
  return (executable_folder / ".." / "share" / "pimoru").lexically_normal();
}

}  // namespace pimoru
