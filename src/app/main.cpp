// pimoru: the window. One runs at a time; a second start brings the running
// window forward and ends, silently, with status 0.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDesktopServices>
#include <QIcon>
#include <QLockFile>
#include <QMessageBox>
#include <QMetaObject>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTimer>
#include <QUrl>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <optional>
#include <thread>

#include "app/folders.h"
#include "app/fonts.h"
#include "app/instance.h"
#include "app/main_frm.h"
#include "app/sound_output.h"
#include "app/system_reason.h"
#include "lexicon/dictionary.h"
#include "speech/speech.h"

namespace pimoru {
namespace {

// How long a second start keeps calling a first window that has only just
// taken the lock and may not listen yet.
constexpr int kCallPatienceMs = 3000;

// The write end of the pipe through which a signal reaches the event loop.
// A signal handler can reach nothing but a global; this one is set once,
// before the handlers are installed, and only read after.
int signal_pipe_write = -1;

void OnEndingSignal(int) {
  const int saved_errno = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(signal_pipe_write, &byte, 1);
  errno = saved_errno;
}

// SIGTERM (a logout, a shutdown, `kill`), SIGHUP and SIGINT end the program
// as closing the window does, with the settings saved, instead of killing
// it on the spot.
void EndOnSignals(QApplication& app, TMainFrm& window) {
  int pipe_ends[2];
  if (::pipe2(pipe_ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
  signal_pipe_write = pipe_ends[1];
  auto* notifier =
      new QSocketNotifier(pipe_ends[0], QSocketNotifier::Read, &app);
  QObject::connect(notifier, &QSocketNotifier::activated, &app,
                   [&window, read_end = pipe_ends[0]] {
                     char bytes[16];
                     while (::read(read_end, bytes, sizeof(bytes)) > 0) {
                     }
                     window.SaveState();
                     QApplication::quit();
                   });
  struct sigaction action {};
  action.sa_handler = OnEndingSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal_number : {SIGTERM, SIGHUP, SIGINT}) {
    ::sigaction(signal_number, &action, nullptr);
  }
}

// What was wrong with the dictionary's files, for the window; empty when
// nothing was.
QString ProblemsText(const Dictionary& dictionary) {
  QString text;
  for (const std::string& problem : dictionary.Problems()) {
    text += QStringLiteral("\n") + QString::fromStdString(problem);
  }
  if (text.isEmpty()) return text;
  return QStringLiteral(
             "合成語の一覧を読めませんでした。そのファイルを"
             "使わずに続けます。") +
         text;
}

// Whether the lock file that keeps this start from running is one of this
// user's: a lock of anyone else is no window of the user's.
bool OwnLock(const std::filesystem::path& lock_path) {
  struct stat st;
  return ::lstat(lock_path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         st.st_uid == ::geteuid();
}

int Main(int argc, char** argv) {
  // The lock is taken before anything is shown, in a folder of the user's
  // own. A lock whose process has died is taken over; a living one never
  // goes stale, however long the first window has been open. A lock file
  // that cannot be written at all does not keep the window from starting,
  // and neither does a runtime folder or a lock that is not the user's
  // own: it is said, and the window runs without them.
  const std::filesystem::path runtime = RuntimeFolder(ProcessEnvironment);
  const FileProblem runtime_problem = MakePrivateFolder(runtime);
  const std::filesystem::path lock_path = InstanceLockPath(runtime);
  const QString server_name = InstanceServerName(lock_path);
  std::optional<QLockFile> instance;
  QString not_own;  // what was not the user's own, to be said
  if (runtime_problem) {
    not_own = QStringLiteral("実行時フォルダ %1 を使えません。\n%2")
                  .arg(QString::fromStdString(runtime.string()),
                       QString::fromStdString(ReasonLine(runtime_problem)));
  } else {
    instance.emplace(QString::fromStdString(lock_path.string()));
    instance->setStaleLockTime(0);
    if (!instance->tryLock(0) &&
        instance->error() == QLockFile::LockFailedError) {
      if (OwnLock(lock_path)) {
        CallRunningWindow(server_name, kCallPatienceMs);
        return 0;
      }
      not_own = QStringLiteral("ロックファイル %1 は他のユーザーのものです。")
                    .arg(QString::fromStdString(lock_path.string()));
    }
  }
  if (!not_own.isEmpty()) {
    not_own += QStringLiteral("\n二重起動の確認をせずに起動します。");
    std::fprintf(stderr, "pimoru: %s\n", not_own.toUtf8().constData());
  }

  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("Hangul Pimoru"));
  QApplication::setDesktopFileName(QStringLiteral("pimoru"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/pimoru/pimoru.png")));
  QApplication::setFont(PixelFont(JapaneseFamilies(), 13));

  const Folders folders = LocateFolders(
      ProcessEnvironment, QCoreApplication::applicationDirPath().toStdString());
  TMainFrm main_frm(
      folders, [](const QUrl& url) { return QDesktopServices::openUrl(url); });
  EndOnSignals(app, main_frm);
  // Loaded in the background from the start, so that the first question
  // seldom waits; joined at exit. A program built without one says so with
  // the Readme and greys the option out.
  const std::shared_ptr<const Dictionary> dictionary =
      MakeDictionary(folders.program_folder, folders.system_folder);
  // A bad line of the user's compound list is shown once it is read.
  const std::jthread loading([dictionary, &main_frm] {
    dictionary->Load();
    const QString problems = ProblemsText(*dictionary);
    if (problems.isEmpty()) return;
    QMetaObject::invokeMethod(
        &main_frm,
        [&main_frm, problems] {
          QMessageBox::warning(&main_frm, QStringLiteral("合成語の一覧"),
                               problems);
        },
        Qt::QueuedConnection);
  });
  if (dictionary->Built()) {
    main_frm.SetDictionary(dictionary, [dictionary] {
      const bool found = dictionary->Load();
      const QString files = QString::fromStdString(dictionary->Status());
      return found ? QStringLiteral(
                         "辞書：漢字語と語形の辞書、合成語の一覧で、"
                         "分かる質問に答えます（%1）。")
                             .arg(files) +
                         ProblemsText(*dictionary)
                   : QStringLiteral(
                         "辞書が見つかりません（%1）。質問はすべて"
                         "表示されます。libhangul-data と hunspell-ko "
                         "を入れると使えます。")
                         .arg(files);
    });
  }
  main_frm.SetSpeech(MakeSpeaker(), std::make_unique<DeviceSoundOutput>());
  // Listening last: a second start that finds the socket finds a window
  // that is ready for it. Only beside a lock of the user's own.
  InstanceServer server(server_name, &main_frm);
  if (not_own.isEmpty()) server.Listen();
  // The session may end the program without closing the window.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &main_frm,
                   [&main_frm](QSessionManager&) { main_frm.SaveState(); });
  main_frm.show();
  if (!not_own.isEmpty()) {
    QTimer::singleShot(0, &main_frm, [&main_frm, not_own] {
      QMessageBox::warning(&main_frm, QApplication::applicationDisplayName(),
                           not_own);
    });
  }
  return QApplication::exec();
}

}  // namespace
}  // namespace pimoru

int main(int argc, char** argv) { return pimoru::Main(argc, argv); }
