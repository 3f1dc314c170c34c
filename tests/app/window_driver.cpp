#include "window_driver.h"

#include <QAbstractButton>
#include <QApplication>

namespace pimoru {

BoxAnswerer::BoxAnswerer(std::vector<QMessageBox::StandardButton> script)
    : script_(script.begin(), script.end()) {
  // A box runs its own event loop, so a timer armed before it opens fires
  // while it waits for an answer.
  connect(&timer_, &QTimer::timeout, this, &BoxAnswerer::AnswerActiveBox);
  timer_.start(10);
}

void BoxAnswerer::AnswerActiveBox() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible()) return;
  QMessageBox::StandardButtons buttons;
  for (QAbstractButton* button : box->buttons()) {
    buttons |= box->standardButton(button);
  }
  seen_.push_back({box->windowTitle(), box->text(), box->icon(), buttons});
  QMessageBox::StandardButton answer = kCloseBox;
  if (!script_.empty()) {
    answer = script_.front();
    script_.pop_front();
  }
  if (QAbstractButton* button = box->button(answer)) {
    button->click();
  } else {
    box->close();
  }
}

}  // namespace pimoru
