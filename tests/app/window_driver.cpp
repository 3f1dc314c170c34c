#include "window_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>

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
  QStringList button_texts;
  for (QAbstractButton* button : box->buttons()) {
    buttons |= box->standardButton(button);
    button_texts.push_back(button->text());
  }
  const QPushButton* default_button = box->defaultButton();
  QCheckBox* check_box = box->checkBox();
  seen_.push_back({box->windowTitle(), box->text(), box->icon(), buttons,
                   button_texts,
                   default_button ? default_button->text() : QString(),
                   check_box ? check_box->text() : QString(),
                   check_box && check_box->isChecked()});
  if (check_box != nullptr && clear_check_boxes_) check_box->setChecked(false);
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
