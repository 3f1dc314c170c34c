// One window at a time: the built window as a process, and the call of a
// second start that brings the running window forward.
#include "app/instance.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

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
#include <cstring>
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
    return QString::fromStdString(
        InstanceLockPath(root_.path() / "runtime").string());
  }
  // Without a runtime folder of the login: the temporary folder, shared by
  // every user as /tmp is, stands in its place.
  std::filesystem::path SharedTemporaryFolder() {
    const std::filesystem::path shared = root_.path() / "tmp";
    std::filesystem::create_directory(shared);
    ::chmod(shared.c_str(), 01777);
    environment_.remove("XDG_RUNTIME_DIR");
    environment_.insert("TMPDIR", QString::fromStdString(shared.string()));
    return shared;
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

// Another user who takes the lock at the name the window once used in the
// shared temporary folder keeps no window from starting: the lock is in a
// folder of the user's own.
TEST_F(InstanceTest, ALockPlantedInTheSharedTemporaryFolderStopsNothing) {
  const std::filesystem::path shared = SharedTemporaryFolder();
  const std::string uid = std::to_string(::geteuid());
  // This test, a living process, stands in for the other user.
  QLockFile planted(QString::fromStdString(
      (shared / (std::string(kInstanceName) + "-" + uid + ".lock")).string()));
  ASSERT_TRUE(planted.tryLock(0));
  QProcess window;
  Start(window);
  const std::filesystem::path own = shared / ("pimoru-" + uid);
  EXPECT_TRUE(WaitFor([&] {
    std::ifstream in(InstanceLockPath(own));
    qint64 pid = 0;
    in >> pid;
    return pid == window.processId();
  }));
  EXPECT_EQ(window.state(), QProcess::Running);
  struct stat st;
  ASSERT_EQ(::lstat(own.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  window.kill();
  window.waitForFinished(10000);
}

// A runtime folder that is not the user's own (here open to all, as one
// another user made first would be) is never used: what it holds, a lock
// and a socket, is not obeyed, nothing is put in it, and the window starts
// and says why it runs without its lock.
TEST_F(InstanceTest, ARuntimeFolderNotOfTheUsersOwnIsSaidAndNotUsed) {
  const std::filesystem::path shared = SharedTemporaryFolder();
  const std::filesystem::path foreign =
      shared / ("pimoru-" + std::to_string(::geteuid()));
  std::filesystem::create_directory(foreign);
  ::chmod(foreign.c_str(), 0777);
  const QString lock =
      QString::fromStdString(InstanceLockPath(foreign).string());
  QLockFile planted(lock);
  ASSERT_TRUE(planted.tryLock(0));
  QLocalServer stranger;
  ASSERT_TRUE(stranger.listen(InstanceServerName(lock.toStdString())));
  QProcess window;
  window.setReadChannel(QProcess::StandardError);
  Start(window);
  QByteArray said;
  EXPECT_TRUE(WaitFor([&] {
    window.waitForReadyRead(50);
    said += window.readAllStandardError();
    return said.contains(
        QByteArray("pimoru: 実行時フォルダ ") + foreign.c_str() +
        " を使えません。\n理由：自分だけのフォルダではありません");
  })) << said.toStdString();
  EXPECT_EQ(window.state(), QProcess::Running);
  EXPECT_FALSE(stranger.waitForNewConnection(500));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(foreign),
                          std::filesystem::directory_iterator()),
            2);  // the lock and the socket of the other
  window.kill();
  window.waitForFinished(10000);
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

// A socket at the name, listened on by another user, is no window of this
// user's: it is not called, and hears nothing.
TEST(InstanceServer, AWindowOfAnotherUserIsNotCalled) {
  if (::geteuid() != 0) GTEST_SKIP() << "acting as another user needs root";
  TempFolder folder;
  ::chmod(folder.path().c_str(), 0777);
  const std::filesystem::path socket_path = folder.path() / "w.socket";
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t other = ::fork();
  if (other == 0) {
    // The other user listens, and ends with 1 if anything is said to it.
    if (::setgid(4242) != 0 || ::setuid(4242) != 0) ::_exit(2);
    const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, socket_path.c_str());
    if (::bind(server, reinterpret_cast<const sockaddr*>(&address),
               sizeof address) != 0 ||
        ::listen(server, 1) != 0) {
      ::_exit(3);
    }
    [[maybe_unused]] const ssize_t told = ::write(ready[1], "r", 1);
    const int call = ::accept(server, nullptr, nullptr);
    char byte;
    ::_exit(call >= 0 && ::read(call, &byte, 1) > 0 ? 1 : 0);
  }
  ::close(ready[1]);
  char byte;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  ::close(ready[0]);
  EXPECT_FALSE(CallRunningWindow(QString::fromStdString(socket_path), 1000));
  int status = 0;
  ASSERT_EQ(::waitpid(other, &status, 0), other);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST(InstanceServer, NoWindowToCallIsNoAnswer) {
  TempFolder folder;
  EXPECT_FALSE(
      CallRunningWindow(InstanceServerName(folder.path() / "w.lock"), 100));
}

}  // namespace
}  // namespace pimoru
