// The window's answer to a stage's question: a modal Yes/No box.
#ifndef PIMORU_APP_DIALOG_ASKER_H_
#define PIMORU_APP_DIALOG_ASKER_H_

#include <string_view>

#include "hangul/question.h"

class QWidget;

namespace pimoru {

class DialogAsker : public Asker {
 public:
  explicit DialogAsker(QWidget* parent) : parent_(parent) {}
  // Yes only when the Yes button is pressed; No, Escape and closing the box
  // are all No.
  bool Confirm(const Question& question) override;

 private:
  QWidget* parent_;
};

}  // namespace pimoru

#endif  // PIMORU_APP_DIALOG_ASKER_H_
