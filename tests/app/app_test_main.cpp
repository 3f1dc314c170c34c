// The window tests' entry: a QApplication for the whole run, offscreen unless
// told otherwise, with HOME, the XDG folders and APPDATA pointing at a
// temporary folder so that nothing touches the real user's files.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <filesystem>
#include <string>

namespace {

void SetVariable(const char* name, const std::filesystem::path& value) {
  setenv(name, value.c_str(), /*overwrite=*/1);
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path home =
      std::filesystem::temp_directory_path() /
      ("pimoru-app-tests-" + std::to_string(getpid()));
  std::filesystem::create_directories(home / "runtime");
  std::filesystem::permissions(home / "runtime",
                               std::filesystem::perms::owner_all);
  SetVariable("HOME", home);
  SetVariable("XDG_DATA_HOME", home / "data");
  SetVariable("XDG_CONFIG_HOME", home / "config");
  SetVariable("XDG_CACHE_HOME", home / "cache");
  SetVariable("XDG_RUNTIME_DIR", home / "runtime");
  SetVariable("APPDATA", home / "appdata");
  unsetenv("PROGRAMFILES");
  setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);

  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("Hangul Pimoru"));
  testing::InitGoogleTest(&argc, argv);
  const int status = RUN_ALL_TESTS();
  std::error_code ec;
  std::filesystem::remove_all(home, ec);
  return status;
}
