#include "app/qt_japanese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace pimoru {

bool UseJapaneseQtStrings() {
  QCoreApplication* const app = QCoreApplication::instance();
  if (app == nullptr) return false;
  const QString name = QStringLiteral("JapaneseQtStrings");
  if (app->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly)) {
    return true;
  }
  auto* translator = new QTranslator(app);
  translator->setObjectName(name);
  if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan),
                        QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

}  // namespace pimoru
