// pimoru-screenshot: draws the window, with a sample sentence converted
// through both commands and the full view open and made taller, into a PNG. Run
// by scripts/screenshot under a virtual display.
//
//   pimoru-screenshot OUTPUT.png DATA_FOLDER [TEXT]
//
// The settings and the report go to a temporary folder, so a picture never
// touches the user's own, and the window starts as for a new user. Questions
// are answered No. Speech is set up as the window's own start does; ▶ is
// drawn once the synthesiser has been looked for (greyed out without it or
// without a sound device).
#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/fonts.h"
#include "app/main_frm.h"
#include "app/sound_output.h"
#include "lexicon/dictionary.h"
#include "speech/speech.h"

namespace pimoru {
namespace {

constexpr int kShotHeight = 760;

void Settle(int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < milliseconds) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
}

int Main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: pimoru-screenshot OUTPUT.png DATA_FOLDER [TEXT]\n");
    return 2;
  }
  const QString output = QString::fromLocal8Bit(argv[1]);
  const QString text = argc > 3 ? QString::fromLocal8Bit(argv[3])
                                : QStringLiteral("안녕하세요 감사합니다");
  QApplication::setApplicationDisplayName(QStringLiteral("Hangul Pimoru"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/pimoru/pimoru.png")));
  QApplication::setFont(PixelFont(JapaneseFamilies(), 13));

  QTemporaryDir system_folder;
  if (!system_folder.isValid()) {
    std::fprintf(stderr, "pimoru-screenshot: no temporary folder\n");
    return 1;
  }
  Folders folders;
  folders.system_folder = system_folder.path().toStdString();
  folders.program_folder =
      std::filesystem::absolute(std::filesystem::path(argv[2]));
  TMainFrm window(folders, [](const QUrl&) { return true; });
  // As the window has it when the dictionary's packages are installed.
  const std::shared_ptr<const Dictionary> dictionary =
      MakeDictionary(folders.program_folder, folders.system_folder);
  if (dictionary->Load()) window.SetDictionary(dictionary, nullptr);
  window.SetSpeech(MakeSpeaker(), std::make_unique<DeviceSoundOutput>());

  QTimer answer_no;
  QObject::connect(&answer_no, &QTimer::timeout, [] {
    if (auto* box =
            qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      if (QAbstractButton* no = box->button(QMessageBox::No)) no->click();
    }
  });
  answer_no.start(50);

  window.show();
  Settle(300);
  window.findChild<QPushButton*>(QStringLiteral("SpeedButton1"))->click();
  // Taller than the first full view, as a user makes it to read the whole
  // report.
  window.resize(window.width(), kShotHeight);
  window.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(text);
  window.findChild<QPushButton*>(QStringLiteral("SpeedButton2"))->click();
  window.findChild<QPushButton*>(QStringLiteral("SpeedButton3"))->click();
  Settle(500);
  // Loading the synthesiser takes a moment.
  const auto* play =
      window.findChild<QPushButton*>(QStringLiteral("SpeedButton10"));
  QElapsedTimer waited;
  waited.start();
  while (play != nullptr && !play->isEnabled() && waited.elapsed() < 5000) {
    Settle(100);
  }

  if (!window.grab().save(output, "PNG")) {
    std::fprintf(stderr, "pimoru-screenshot: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace pimoru

int main(int argc, char** argv) { return pimoru::Main(argc, argv); }
