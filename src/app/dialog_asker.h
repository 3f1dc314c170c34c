// The window's questions: a modal box with はい and いいえ.
#ifndef PIMORU_APP_DIALOG_ASKER_H_
#define PIMORU_APP_DIALOG_ASKER_H_

#include <QString>
#include <string_view>

#include "hangul/question.h"

class QWidget;

namespace pimoru {

// How long a question box ignores the keyboard after it appears. A key
// pressed before the box was there (the second Enter of a quick Enter,
// Enter) was meant for the window and reaches the box only now; no reader
// answers a question this fast.
inline constexpr int kQuestionKeyDelayMs = 500;

// Asks `text` (lines broken by "\n") in a modal box and returns true only
// when はい is chosen; いいえ, Escape and closing the box are all false.
// Enter chooses the default button: はい when `default_yes`, else いいえ.
// Keys pressed before the box appeared, or in its first
// kQuestionKeyDelayMs, are dropped. With `remember`, the box has the check
// box 以後、同じ語には同じ答え, set as `*remember` is and read back into it.
bool AskYesNo(QWidget* parent, const QString& text, bool default_yes,
              bool* remember = nullptr);

class DialogAsker : public Asker {
 public:
  explicit DialogAsker(QWidget* parent) : parent_(parent) {}
  // The stage's question with what a dictionary made of it: the hanja in
  // the text and its guess as the default button (いいえ where none was
  // consulted). The answer is to be remembered for the same word unless
  // the user clears 以後、同じ語には同じ答え.
  Answer Respond(const Question& question, const Judgement& guess) override;

 private:
  QWidget* parent_;
};

}  // namespace pimoru

#endif  // PIMORU_APP_DIALOG_ASKER_H_
