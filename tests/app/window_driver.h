// Driving the real window in tests: answering its modal boxes as they
// appear, and finding its controls by their names.
#ifndef PIMORU_TESTS_APP_WINDOW_DRIVER_H_
#define PIMORU_TESTS_APP_WINDOW_DRIVER_H_

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <vector>

namespace pimoru {

// What a modal box showed.
struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  QStringList button_texts;  // as shown, in the box's order
  QString default_text;      // the button that Enter presses
  QString check_box;         // the check box's text; empty without one
  bool checked = false;      // as the box opened
};

// Answers every modal message box that opens while it lives, in order:
// presses the next scripted button, or closes the box for kCloseBox. A box
// beyond the script is closed. Every box is recorded.
class BoxAnswerer : public QObject {
  Q_OBJECT

 public:
  static constexpr QMessageBox::StandardButton kCloseBox =
      QMessageBox::NoButton;

  explicit BoxAnswerer(std::vector<QMessageBox::StandardButton> script = {});

  const std::vector<SeenBox>& seen() const { return seen_; }
  // Clears a box's check box before answering, as a user who unticks it.
  void ClearCheckBoxes() { clear_check_boxes_ = true; }

 private:
  void AnswerActiveBox();

  std::deque<QMessageBox::StandardButton> script_;
  std::vector<SeenBox> seen_;
  bool clear_check_boxes_ = false;
  QTimer timer_;
};

}  // namespace pimoru

#endif  // PIMORU_TESTS_APP_WINDOW_DRIVER_H_
