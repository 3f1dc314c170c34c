#include "app/dialog_asker.h"

#include <QMessageBox>
#include <QString>

namespace pimoru {

bool DialogAsker::Confirm(const Question& question) {
  const QString text = QString::fromStdU16String(question.Message());
  QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), text,
                  QMessageBox::Yes | QMessageBox::No, parent_);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace pimoru
