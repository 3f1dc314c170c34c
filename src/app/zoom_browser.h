// The work report's viewer, zoomed with the window's rows. The report and
// its stylesheet give their sizes in pixels, which a text browser's own zoom
// leaves alone; this one scales the stylesheet as it loads it instead.
//
// A page is shown from its first line until the reader scrolls: a page
// loaded while the viewer was hidden, or while it had another size, is laid
// out anew when the viewer is shown, and a text browser would keep its old
// scroll position against the new layout.
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
  // Shows `note` (plain text, may be empty) in place of the page, until a
  // page is shown again; a change of zoom does not bring the page back.
  void ShowNote(const QString& note);
  bool showing_note() const { return showing_note_; }

  QVariant loadResource(int type, const QUrl& name) override;

 protected:
  void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void KeepAtTop();

  int zoom_percent_ = 100;
  bool showing_note_ = false;
  // The page is shown from its top until the reader moves it.
  bool at_top_ = true;
};

}  // namespace pimoru

#endif  // PIMORU_APP_ZOOM_BROWSER_H_
