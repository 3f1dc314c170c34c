#include "app/folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "app/settings.h"

namespace pimoru {
namespace {

// A set, non-empty value.
std::optional<std::filesystem::path> Variable(const EnvironmentLookup& env,
                                              const char* name) {
  std::optional<std::string> value = env(name);
  if (!value || value->empty()) return std::nullopt;
  return std::filesystem::path(*value);
}

std::filesystem::path HomeFolder(const EnvironmentLookup& env) {
  if (auto home = Variable(env, "HOME")) return *home;
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

}  // namespace

std::optional<std::string> ProcessEnvironment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

std::filesystem::path Folders::SettingsPath() const {
  return system_folder / kSettingsFileName;
}

Folders LocateFolders(const EnvironmentLookup& environment,
                      const std::filesystem::path& executable_folder) {
  Folders folders;
  if (auto app_data = Variable(environment, "APPDATA")) {
    folders.system_folder = Vendor(*app_data) / "Sys";
  } else {
    std::optional<std::filesystem::path> data_home =
        Variable(environment, "XDG_DATA_HOME");
    // A relative value is ignored, so the settings never land in whatever
    // folder the window happened to be started from.
    if (!data_home || data_home->is_relative()) {
      data_home = HomeFolder(environment) / ".local" / "share";
    }
    folders.system_folder = Vendor(*data_home) / "Sys";
  }
  if (auto program_files = Variable(environment, "PROGRAMFILES")) {
    folders.program_folder = Vendor(*program_files);
  } else {
    folders.program_folder =
        (executable_folder / ".." / "share" / "pimoru").lexically_normal();
  }
  // The report links its help pages by absolute paths.
  for (std::filesystem::path* folder :
       {&folders.system_folder, &folders.program_folder}) {
    std::error_code ec;
    if (folder->is_relative()) *folder = std::filesystem::absolute(*folder, ec);
  }
  return folders;
}

FileProblem CreateSystemFolder(const Folders& folders) {
  std::error_code ec;
  std::filesystem::create_directories(folders.system_folder, ec);
  std::error_code is_folder;
  if (std::filesystem::is_directory(folders.system_folder, is_folder)) {
    return {};
  }
  if (ec) return FileProblem::System(ec.value());
  return FileProblem::NotAFile();
}

std::filesystem::path InstanceLockPath(const EnvironmentLookup& environment) {
  const std::string name(kInstanceName);
  if (auto runtime = Variable(environment, "XDG_RUNTIME_DIR")) {
    std::error_code ec;
    if (runtime->is_absolute() && std::filesystem::is_directory(*runtime, ec)) {
      return *runtime / (name + ".lock");
    }
  }
  std::error_code ec;
  std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
  if (ec) temp = "/tmp";
  return temp / (name + "-" + std::to_string(getuid()) + ".lock");
}

}  // namespace pimoru
