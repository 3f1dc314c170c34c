#include "app/zoom_browser.h"

#include <QRegularExpression>
#include <QScrollBar>
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

ZoomBrowser::ZoomBrowser(QWidget* parent) : QTextBrowser(parent) {
  // Only the reader's own scrolling (the bar, the wheel, the keys) lets the
  // page leave its top.
  connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
          [this] { at_top_ = false; });
}

void ZoomBrowser::SetZoomPercent(int percent) {
  if (percent == zoom_percent_) return;
  zoom_percent_ = percent;
  if (!source().isEmpty() && !showing_note_) reload();
}

void ZoomBrowser::ShowNote(const QString& note) {
  showing_note_ = true;
  setPlainText(note);
  at_top_ = true;
  KeepAtTop();
}

void ZoomBrowser::doSetSource(const QUrl& name,
                              QTextDocument::ResourceType type) {
  showing_note_ = false;
  QTextBrowser::doSetSource(name, type);
  at_top_ = name.fragment().isEmpty();
  KeepAtTop();
}

void ZoomBrowser::resizeEvent(QResizeEvent* event) {
  QTextBrowser::resizeEvent(event);
  KeepAtTop();
}

void ZoomBrowser::showEvent(QShowEvent* event) {
  QTextBrowser::showEvent(event);
  KeepAtTop();
}

void ZoomBrowser::KeepAtTop() {
  if (!at_top_) return;
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
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
