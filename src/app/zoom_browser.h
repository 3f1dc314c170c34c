// The work report's viewer, zoomed with the window's rows. The report and
// its stylesheet give their sizes in pixels, which a text browser's own zoom
// leaves alone; this one scales the stylesheet as it loads it instead.
#ifndef PIMORU_APP_ZOOM_BROWSER_H_
#define PIMORU_APP_ZOOM_BROWSER_H_

#include <QString>
#include <QTextBrowser>

namespace pimoru {

// `css` with every length in pixels ("14px") scaled to `percent`, rounded
// to whole pixels; one that is not zero stays at least one pixel.
QString ScaleCssPixels(const QString& css, int percent);

class ZoomBrowser : public QTextBrowser {
  Q_OBJECT

 public:
  explicit ZoomBrowser(QWidget* parent = nullptr);

  int zoom_percent() const { return zoom_percent_; }
  // Shows the page again at `percent`, when it differs.
  void SetZoomPercent(int percent);

  QVariant loadResource(int type, const QUrl& name) override;

 private:
  int zoom_percent_ = 100;
};

}  // namespace pimoru

#endif  // PIMORU_APP_ZOOM_BROWSER_H_
