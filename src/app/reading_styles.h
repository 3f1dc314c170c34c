// The window's controls for textbook and everyday speech: the preset among
// the options that sets the options of everyday speech at once, and the row
// that shows the reading in the other style beside the one converted.
#ifndef PIMORU_APP_READING_STYLES_H_
#define PIMORU_APP_READING_STYLES_H_

#include <QComboBox>
#include <QList>
#include <QString>

#include "pipeline/speech_style.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace pimoru {

// "教科書どおり" or "日常の発音": checks or clears the boxes of the options of
// everyday speech at once, and shows which of the two they match; nothing
// when they match neither.
class StyleBox : public QComboBox {
  Q_OBJECT

 public:
  // `boxes`: the check box of each relaxing option, in the order of
  // kRelaxingOptions.
  StyleBox(QList<QCheckBox*> boxes, QWidget* parent);

  SpeechStyle style() const;

 private:
  void Choose(int index);
  void FollowBoxes();

  QList<QCheckBox*> boxes_;
};

// A row of the window with the reading in the other style, hidden until
// there is one: its name ("標準発音："), its reading Hangul and, once
// transcribed, its kana.
class OtherReadingRow {
 public:
  // Makes the row's controls in `grid` at `row`, over the columns from
  // `first_column` to the last.
  OtherReadingRow(QGridLayout* grid, int row, int first_column,
                  QWidget* parent);

  void Show(const OtherForm& other);
  void Hide();
  bool shown() const;
  void SetKana(const QString& kana);

  QLabel* label() const { return label_; }
  QLineEdit* reading() const { return reading_; }
  QLineEdit* kana() const { return kana_; }
  // The row as a line of the result: "標準発音：안녕하세요　アンニョンハセヨ";
  // empty when hidden.
  QString Line() const;

 private:
  QLabel* label_;
  QLineEdit* reading_;
  QLineEdit* kana_;
};

}  // namespace pimoru

#endif  // PIMORU_APP_READING_STYLES_H_
