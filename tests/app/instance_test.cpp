// The built window as a process: one instance at a time.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/folders.h"
#include "support/test_support.h"

namespace pimoru {
namespace {

class InstanceTest : public testing::Test {
 protected:
  InstanceTest() {
    std::filesystem::create_directories(root_.path() / "runtime");
    std::filesystem::permissions(root_.path() / "runtime",
                                 std::filesystem::perms::owner_all);
    environment_ = QProcessEnvironment::systemEnvironment();
    environment_.insert("QT_QPA_PLATFORM", "offscreen");
    environment_.insert("XDG_RUNTIME_DIR", Path("runtime"));
    environment_.insert("APPDATA", Path("appdata"));
    environment_.insert("HOME", Path("home"));
    environment_.remove("PROGRAMFILES");
  }

  QString Path(const char* name) const {
    return QString::fromStdString((root_.path() / name).string());
  }
  QString LockPath() const {
    const auto runtime = root_.path() / "runtime";
    return QString::fromStdString(
        InstanceLockPath([&](const char* name) -> std::optional<std::string> {
          if (std::string_view(name) == "XDG_RUNTIME_DIR")
            return runtime.string();
          return std::nullopt;
        }).string());
  }
  void Start(QProcess& process) {
    process.setProcessEnvironment(environment_);
    process.start(QStringLiteral(PIMORU_APP_PATH), {});
    ASSERT_TRUE(process.waitForStarted(10000));
  }
  // The process id that the lock file names, or 0.
  qint64 LockOwner() const {
    std::ifstream in(LockPath().toStdString());
    qint64 pid = 0;
    in >> pid;
    return pid;
  }
  template <typename Condition>
  static bool WaitFor(Condition condition) {
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
      if (condition()) return true;
      QThread::msleep(20);
    }
    return false;
  }
  bool WaitForLockOwner(qint64 pid) const {
    return WaitFor([&] { return LockOwner() == pid; });
  }

  TempFolder root_;
  QProcessEnvironment environment_;
};

TEST_F(InstanceTest, ASecondStartEndsAtOnceSilentlyWithStatusZero) {
  QLockFile first(LockPath());
  ASSERT_TRUE(first.tryLock(0));  // this test stands in for the first window
  QProcess second;
  Start(second);
  ASSERT_TRUE(second.waitForFinished(20000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
  EXPECT_TRUE(second.readAllStandardError().isEmpty());
  // It never got as far as its window: no system folder was made.
  EXPECT_FALSE(std::filesystem::exists(root_.path() / "appdata"));
}

TEST_F(InstanceTest, ALockLeftByAKilledWindowDoesNotBlockTheNextStart) {
  QProcess killed;
  Start(killed);
  ASSERT_TRUE(WaitForLockOwner(killed.processId()));
  // The first start goes on to its window, which makes the system folder.
  EXPECT_TRUE(WaitFor([&] {
    return std::filesystem::is_directory(root_.path() / "appdata" / "Vorquent" /
                                         "Pimoru" / "Sys");
  }));
  ::kill(static_cast<pid_t>(killed.processId()), SIGKILL);
  ASSERT_TRUE(killed.waitForFinished(10000));
  ASSERT_TRUE(QFileInfo::exists(LockPath()));  // left behind

  QProcess next;
  Start(next);
  EXPECT_TRUE(WaitForLockOwner(next.processId()));
  EXPECT_EQ(next.state(), QProcess::Running);
  next.kill();
  next.waitForFinished(10000);
}

}  // namespace
}  // namespace pimoru
