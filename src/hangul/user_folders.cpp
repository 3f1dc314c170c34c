#include "hangul/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>
#include <vector>

namespace pimoru {
namespace {

std::filesystem::path HomeFolder(const EnvironmentLookup& env) {
  if (auto home = PathVariable(env, "HOME")) return *home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
      found != nullptr && found->pw_dir != nullptr) {
    return found->pw_dir;
  }
  return std::filesystem::temp_directory_path();
}

std::filesystem::path Vendor(const std::filesystem::path& base) {
  return base / "Vorquent" / "Pimoru";
}

// The report links its help pages by absolute paths.
std::filesystem::path Absolute(const std::filesystem::path& folder) {
  std::error_code ec;
  if (folder.is_relative()) return std::filesystem::absolute(folder, ec);
  return folder;
}

}  // namespace

std::optional<std::string> ProcessEnvironment(const char* name) {
  const char* value = std::getenv(name);
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
  if (auto app_data = PathVariable(environment, "APPDATA")) {
    return Absolute(Vendor(*app_data) / "Sys");
  }
  std::optional<std::filesystem::path> data_home =
      PathVariable(environment, "XDG_DATA_HOME");
  // A relative value is ignored, so the user's files never land in
  // whatever folder the program happened to be started from.
  if (!data_home || data_home->is_relative()) {
    data_home = HomeFolder(environment) / ".local" / "share";
  }
  return Absolute(Vendor(*data_home) / "Sys");
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
