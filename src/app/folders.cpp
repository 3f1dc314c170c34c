#include "app/folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>
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

std::filesystem::path Vendor(const std::filesystem::path& base) {
  return base / "Vorquent" / "Pimoru";
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
      if (auto home = Variable(environment, "HOME")) {
        data_home = *home / ".local" / "share";
      } else {
        // No home at all: never a folder other users share, where one
        // could have put a link to the user's files in the settings' place.
        folders.private_folder = RuntimeFolder(environment);
        data_home = folders.private_folder;
      }
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
  if (!folders.private_folder.empty()) {
    if (const FileProblem problem = MakePrivateFolder(folders.private_folder)) {
      return problem;
    }
  }
  std::error_code ec;
  std::filesystem::create_directories(folders.system_folder, ec);
  std::error_code is_folder;
  if (std::filesystem::is_directory(folders.system_folder, is_folder)) {
    return {};
  }
  if (ec) return FileProblem::System(ec.value());
  return FileProblem::NotAFile();
}

std::filesystem::path RuntimeFolder(const EnvironmentLookup& environment) {
  if (auto runtime = Variable(environment, "XDG_RUNTIME_DIR")) {
    if (runtime->is_absolute() && IsPrivateFolder(*runtime)) return *runtime;
  }
  std::filesystem::path temp = Variable(environment, "TMPDIR").value_or("/tmp");
  if (temp.is_relative()) temp = "/tmp";
  return temp / ("pimoru-" + std::to_string(::geteuid()));
}

bool IsPrivateFolder(const std::filesystem::path& folder) {
  struct stat st;
  return ::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
         st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

FileProblem MakePrivateFolder(const std::filesystem::path& folder) {
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    return FileProblem::System(errno);
  }
  return IsPrivateFolder(folder) ? FileProblem{} : FileProblem::NotPrivate();
}

std::filesystem::path InstanceLockPath(
    const std::filesystem::path& runtime_folder) {
  return runtime_folder / (std::string(kInstanceName) + ".lock");
}

}  // namespace pimoru
