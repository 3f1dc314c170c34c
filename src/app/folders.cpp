#include "app/folders.h"

#include <sys/stat.h>

#include <cerrno>

#include "app/settings.h"

namespace pimoru {

std::filesystem::path Folders::SettingsPath() const {
  return system_folder / kSettingsFileName;
}

Folders LocateFolders(const EnvironmentLookup& environment,
                      const std::filesystem::path& executable_folder) {
  return {
      UserFolder(environment), ProgramFolder(environment, executable_folder),
      PrivateParentOfUserFolder(environment).value_or(std::filesystem::path())};
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
