#include "app/dialog_asker.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QMessageBox>
#include <QPushButton>

namespace pimoru {
namespace {

// Swallows every key event from the moment it is made until the box has
// been shown for kQuestionKeyDelayMs.
class EarlyKeyFilter : public QObject {
 public:
  explicit EarlyKeyFilter(QWidget* box) : box_(box) {
    qApp->installEventFilter(this);
  }
  ~EarlyKeyFilter() override { qApp->removeEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == box_ && event->type() == QEvent::Show && !shown_.isValid()) {
      shown_.start();
    }
    switch (event->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
        return !shown_.isValid() || shown_.elapsed() < kQuestionKeyDelayMs;
      default:
        return false;
    }
  }

 private:
  QWidget* box_;
  QElapsedTimer shown_;
};

}  // namespace

bool AskYesNo(QWidget* parent, const QString& text, bool default_yes,
              bool* remember) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), text,
                  QMessageBox::Yes | QMessageBox::No, parent);
  // Plain text whatever it holds: a word is never taken for markup.
  box.setTextFormat(Qt::PlainText);
  if (remember != nullptr) {
    auto* same = new QCheckBox(QStringLiteral("以後、同じ語には同じ答え"));
    same->setObjectName(QStringLiteral("RememberAnswer"));
    same->setChecked(*remember);
    box.setCheckBox(same);
  }
  // In Japanese like the question, whether or not Qt's own translations
  // are installed.
  box.button(QMessageBox::Yes)->setText(QStringLiteral("はい"));
  box.button(QMessageBox::No)->setText(QStringLiteral("いいえ"));
  box.setDefaultButton(default_yes ? QMessageBox::Yes : QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  const EarlyKeyFilter early_keys(&box);
  const bool yes = box.exec() == QMessageBox::Yes;
  if (remember != nullptr) *remember = box.checkBox()->isChecked();
  return yes;
}

Answer DialogAsker::Respond(const Question& question, const Judgement& guess) {
  bool remember = true;
  const bool yes =
      AskYesNo(parent_, QString::fromStdU16String(question.Message(guess)),
               /*default_yes=*/guess.guess, &remember);
  return {yes, Answerer::kUser, guess.reason, remember};
}

}  // namespace pimoru
