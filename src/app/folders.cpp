#include "app/folders.h"

#include <unistd.h>

#include "app/settings.h"

namespace pimoru {

std::filesystem::path Folders::SettingsPath() const {
  return system_folder / kSettingsFileName;
}

Folders LocateFolders(const EnvironmentLookup& environment,
                      const std::filesystem::path& executable_folder) {
  return {UserFolder(environment),
          ProgramFolder(environment, executable_folder)};
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
  if (auto runtime = PathVariable(environment, "XDG_RUNTIME_DIR")) {
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
