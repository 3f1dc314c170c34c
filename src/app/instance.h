// One window at a time. The first start takes a lock file and listens on a
// local socket beside it; a second start that finds the lock taken calls
// that socket, so that the running window comes forward (out of the task
// bar, from another desktop), and then ends.
#ifndef PIMORU_APP_INSTANCE_H_
#define PIMORU_APP_INSTANCE_H_

#include <QObject>
#include <QString>
#include <filesystem>

class QLocalServer;
class QWidget;

namespace pimoru {

// The socket beside the lock file: the same name, ending in ".socket".
QString InstanceServerName(const std::filesystem::path& lock_path);

// Asks the window listening at `server_name` to come forward. A window that
// has only just taken the lock may not listen yet, so the call is tried
// again for up to `patience_ms`. False when no window answered, and when
// what answered is run by another user: nothing is said to it.
bool CallRunningWindow(const QString& server_name, int patience_ms);

// Shows `window` normal (not minimised) on the desktop in view, raises it
// and makes it active.
void BringForward(QWidget* window);

// Listens for a second start and brings the window forward at each call.
class InstanceServer : public QObject {
  Q_OBJECT

 public:
  InstanceServer(QString server_name, QWidget* window);

  // Starts listening. The caller holds the lock, so a socket left at the
  // name by a window that was killed is removed first. False when the
  // socket cannot be made; the window then simply runs without it.
  bool Listen();

 private:
  void AnswerCall();

  QString server_name_;
  QWidget* window_;
  QLocalServer* server_;
};

}  // namespace pimoru

#endif  // PIMORU_APP_INSTANCE_H_
