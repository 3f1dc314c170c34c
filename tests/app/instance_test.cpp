// One window at a time: the built window as a process, and the call of a
// second start that brings the running window forward.
#include "app/instance.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <QThread>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/folders.h"
#include "app/settings.h"
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

TEST_F(InstanceTest, ASecondStartWithNoWindowToCallEndsSilentlyWithStatusZero) {
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

TEST_F(InstanceTest, ASecondStartCallsTheWindowBesideTheLock) {
  QLockFile first(LockPath());
  ASSERT_TRUE(first.tryLock(0));
  // This test stands in for the first window and its socket.
  QLocalServer window;
  ASSERT_TRUE(window.listen(InstanceServerName(LockPath().toStdString())));
  EXPECT_EQ(window.fullServerName(),
            QFileInfo(LockPath()).absolutePath() + QStringLiteral("/") +
                QFileInfo(LockPath()).completeBaseName() +
                QStringLiteral(".socket"));
  QProcess second;
  Start(second);
  ASSERT_TRUE(window.waitForNewConnection(20000));
  QLocalSocket* call = window.nextPendingConnection();
  ASSERT_NE(call, nullptr);
  ASSERT_TRUE(call->bytesAvailable() > 0 || call->waitForReadyRead(20000));
  EXPECT_FALSE(call->readAll().isEmpty());
  ASSERT_TRUE(second.waitForFinished(20000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_TRUE(second.readAllStandardError().isEmpty());
}

TEST_F(InstanceTest, TheWindowAnswersASecondStartAndTheSecondEnds) {
  QProcess first;
  Start(first);
  const QString socket = InstanceServerName(LockPath().toStdString());
  ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(socket); }));
  QProcess second;
  Start(second);
  ASSERT_TRUE(second.waitForFinished(20000));
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_EQ(first.state(), QProcess::Running);
  // The first window took the call and goes on listening.
  EXPECT_TRUE(CallRunningWindow(socket, 1000));
  first.kill();
  first.waitForFinished(10000);
}

// A logout or a shutdown ends the window with SIGTERM: it ends as closing
// does, with its settings saved, not killed on the spot.
TEST_F(InstanceTest, TermEndsTheWindowWithItsSettingsSaved) {
  QProcess window;
  Start(window);
  // The socket is made once the window can take a signal.
  ASSERT_TRUE(WaitFor([&] {
    return QFileInfo::exists(InstanceServerName(LockPath().toStdString()));
  }));
  ::kill(static_cast<pid_t>(window.processId()), SIGTERM);
  ASSERT_TRUE(window.waitForFinished(20000));
  EXPECT_EQ(window.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(window.exitCode(), 0);
  const std::string saved = ReadFileBytes(
      root_.path() / "appdata" / "Vorquent" / "Pimoru" / "Sys" / "Pimoru.rng");
  EXPECT_TRUE(saved.starts_with("MainLeft,")) << saved;
  EXPECT_NE(saved.find("\r\nZoom_Idx,3\r\n"), std::string::npos) << saved;
}

// Waits for `condition` while the event loop runs.
template <typename Condition>
bool SpinUntil(Condition condition) {
  QDeadlineTimer deadline(10000);
  while (!condition()) {
    if (deadline.hasExpired()) return false;
    QTest::qWait(10);
  }
  return true;
}

TEST(InstanceServer, ACallBringsTheMinimisedWindowForward) {
  TempFolder folder;
  const QString name = InstanceServerName(folder.path() / "w.lock");
  // A socket left by a window that was killed is no obstacle.
  folder.WriteBytes("w.socket", "");
  QWidget window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.showMinimized();
  ASSERT_TRUE(SpinUntil([&] { return window.isMinimized(); }));
  InstanceServer server(name, &window);
  ASSERT_TRUE(server.Listen());

  EXPECT_TRUE(CallRunningWindow(name, 1000));
  EXPECT_TRUE(SpinUntil([&] { return !window.isMinimized(); }));
  EXPECT_TRUE(SpinUntil([&] { return window.isActiveWindow(); }));
  EXPECT_TRUE(window.isVisible());
}

TEST(InstanceServer, NoWindowToCallIsNoAnswer) {
  TempFolder folder;
  EXPECT_FALSE(
      CallRunningWindow(InstanceServerName(folder.path() / "w.lock"), 100));
}

}  // namespace
}  // namespace pimoru
