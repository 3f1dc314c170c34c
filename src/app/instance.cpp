#include "app/instance.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QWidget>

namespace pimoru {
namespace {

// What a second start says. The running window reads nothing: any call
// brings it forward; the word only keeps the call from being empty.
constexpr char kCall[] = "show\n";
constexpr int kConnectTimeoutMs = 500;
constexpr int kRetryPauseMs = 50;

// Whether the other end of a local socket is run by this user.
bool ServedByThisUser(const QLocalSocket& socket) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return ::getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET,
                      SO_PEERCRED, &peer, &size) == 0 &&
         peer.uid == ::geteuid();
}

}  // namespace

QString InstanceServerName(const std::filesystem::path& lock_path) {
  std::filesystem::path socket = lock_path;
  socket.replace_extension(".socket");
  return QString::fromStdString(socket.string());
}

bool CallRunningWindow(const QString& server_name, int patience_ms) {
  QDeadlineTimer deadline(patience_ms);
  while (true) {
    QLocalSocket socket;
    socket.connectToServer(server_name);
    if (socket.waitForConnected(kConnectTimeoutMs)) {
      if (!ServedByThisUser(socket)) return false;
      socket.write(kCall);
      const bool sent = socket.waitForBytesWritten(kConnectTimeoutMs);
      socket.disconnectFromServer();
      return sent;
    }
    if (deadline.hasExpired()) return false;
    QThread::msleep(kRetryPauseMs);
  }
}

void BringForward(QWidget* window) {
  // Window managers refuse to hand the focus to a program the user has not
  // just touched, and leave a window on the desktop it is on; a window
  // shown anew goes to the desktop in view and gets the focus.
  if (!window->isActiveWindow()) window->hide();
  window->setWindowState((window->windowState() & ~Qt::WindowMinimized) |
                         Qt::WindowActive);
  window->show();
  window->raise();
  window->activateWindow();
}

InstanceServer::InstanceServer(QString server_name, QWidget* window)
    : QObject(window),
      server_name_(std::move(server_name)),
      window_(window),
      server_(new QLocalServer(this)) {
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this,
          &InstanceServer::AnswerCall);
}

bool InstanceServer::Listen() {
  QLocalServer::removeServer(server_name_);
  return server_->listen(server_name_);
}

void InstanceServer::AnswerCall() {
  // The caller hangs up once it has said its word; closing first could
  // cut it off before it has.
  while (QLocalSocket* call = server_->nextPendingConnection()) {
    connect(call, &QLocalSocket::disconnected, call, &QObject::deleteLater);
  }
  BringForward(window_);
}

}  // namespace pimoru
