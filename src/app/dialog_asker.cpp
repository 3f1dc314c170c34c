#include "app/dialog_asker.h"

#include <QMessageBox>
#include <QString>

namespace pimoru {

bool DialogAsker::Confirm(std::u16string_view message) {
  QString text = QString::fromUtf16(message.data(),
                                    static_cast<qsizetype>(message.size()));
  // The questions break their lines the Windows way.
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), text,
                  QMessageBox::Yes | QMessageBox::No, parent_);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace pimoru
