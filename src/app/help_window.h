// A window of its own for the help pages that the work report links to and
// for the Readme, so they open inside the program even where no web browser
// is installed.
#ifndef PIMORU_APP_HELP_WINDOW_H_
#define PIMORU_APP_HELP_WINDOW_H_

#include <QUrl>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QTextBrowser;

namespace pimoru {

// Hands a web address or a document to the desktop; false when it could not.
using UrlOpener = std::function<bool(const QUrl&)>;

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  HelpWindow(UrlOpener open_url, QWidget* parent = nullptr);

  // Shows `page` (a local HTML page, with or without a #fragment, or a text
  // file) and brings the window to the front.
  void ShowPage(const QUrl& page);
  // A line above the page (what the program found, say); none when empty.
  void SetNote(const QString& note);

 private:
  void FollowLink(const QUrl& link);
  // Names the window after the page and gives a text file its font.
  void PageChanged(const QUrl& page);

  UrlOpener open_url_;
  QTextBrowser* browser_;
  QPushButton* back_;
  QPushButton* forward_;
  QLabel* note_;
};

// Where a link of a page shown from `base` leads: kInPage for a #fragment of
// the same page, kLocal for another local file, kExternal for anything the
// desktop has to open (web addresses, mail).
enum class LinkTarget { kInPage, kLocal, kExternal };
LinkTarget ClassifyLink(const QUrl& base, const QUrl& link);

}  // namespace pimoru

#endif  // PIMORU_APP_HELP_WINDOW_H_
