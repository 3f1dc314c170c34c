#include "app/zoom_browser.h"

#include <QRegularExpression>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

namespace pimoru {

QString ScaleCssPixels(const QString& css, int percent) {
  static const QRegularExpression kPixels(
      QStringLiteral(R"((\d+(?:\.\d+)?)px)"));
  QString scaled;
  qsizetype done = 0;
  for (auto it = kPixels.globalMatch(css); it.hasNext();) {
    const QRegularExpressionMatch match = it.next();
    const double pixels = match.captured(1).toDouble();
    // A length that was there stays at least one pixel; none stays none.
    const long rounded =
        pixels > 0 ? std::max(1L, std::lround(pixels * percent / 100.0)) : 0;
    scaled += css.mid(done, match.capturedStart() - done);
    scaled += QString::number(rounded) + QStringLiteral("px");
    done = match.capturedEnd();
  }
  scaled += css.mid(done);
  return scaled;
}

ZoomBrowser::ZoomBrowser(QWidget* parent) : QTextBrowser(parent) {}

void ZoomBrowser::SetZoomPercent(int percent) {
  if (percent == zoom_percent_) return;
  zoom_percent_ = percent;
  if (!source().isEmpty()) reload();
}

QVariant ZoomBrowser::loadResource(int type, const QUrl& name) {
  QVariant resource = QTextBrowser::loadResource(type, name);
  if (type != QTextDocument::StyleSheetResource || zoom_percent_ == 100) {
    return resource;
  }
  const QString css = resource.typeId() == QMetaType::QByteArray
                          ? QString::fromUtf8(resource.toByteArray())
                          : resource.toString();
  return ScaleCssPixels(css, zoom_percent_);
}

}  // namespace pimoru
