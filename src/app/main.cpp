// pimoru: the window. One runs at a time; a second start ends at once,
// silently, with status 0.
#include <QApplication>
#include <QDesktopServices>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QLockFile>
#include <QTranslator>
#include <QUrl>

#include "app/folders.h"
#include "app/fonts.h"
#include "app/main_frm.h"

namespace pimoru {
namespace {

// The standard buttons (Yes, No, OK) in the user's language, where Qt's own
// translations are installed.
void LoadQtTranslations(QApplication& app) {
  auto* translator = new QTranslator(&app);
  if (translator->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(translator);
  }
}

int Main(int argc, char** argv) {
  // The lock is taken before anything is shown. A lock whose process has
  // died is taken over; a living one never goes stale, however long the
  // first window has been open. A lock file that cannot be written at all
  // does not keep the window from starting.
  QLockFile instance(
      QString::fromStdString(InstanceLockPath(ProcessEnvironment).string()));
  instance.setStaleLockTime(0);
  if (!instance.tryLock(0) && instance.error() == QLockFile::LockFailedError) {
    return 0;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("Hangul Pimoru"));
  QApplication::setDesktopFileName(QStringLiteral("pimoru"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/pimoru/pimoru.png")));
  QApplication::setFont(PixelFont(JapaneseFamilies(), 13));
  LoadQtTranslations(app);

  TMainFrm main_frm(
      LocateFolders(ProcessEnvironment,
                    QCoreApplication::applicationDirPath().toStdString()),
      [](const QUrl& url) { return QDesktopServices::openUrl(url); });
  main_frm.show();
  return QApplication::exec();
}

}  // namespace
}  // namespace pimoru

int main(int argc, char** argv) { return pimoru::Main(argc, argv); }
