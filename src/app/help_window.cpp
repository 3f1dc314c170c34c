#include "app/help_window.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include "app/fonts.h"

namespace pimoru {
namespace {

bool IsTextFile(const QUrl& page) {
  return page.path().endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
}

// Shows a text file as it is: never read as HTML, whatever it holds
// ("<TAB>" in the Readme), its spaces and line breaks kept.
class HelpBrowser : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;

  QVariant loadResource(int type, const QUrl& name) override {
    QVariant resource = QTextBrowser::loadResource(type, name);
    if (type != QTextDocument::HtmlResource || !IsTextFile(name) ||
        resource.typeId() != QMetaType::QByteArray) {
      return resource;
    }
    return Qt::convertFromPlainText(QString::fromUtf8(resource.toByteArray()),
                                    Qt::WhiteSpacePre);
  }
};

}  // namespace

LinkTarget ClassifyLink(const QUrl& base, const QUrl& link) {
  if (link.isRelative() && link.path().isEmpty() && link.hasFragment()) {
    return LinkTarget::kInPage;
  }
  const QUrl resolved = base.resolved(link);
  if (resolved.isLocalFile() || resolved.scheme().isEmpty()) {
    return LinkTarget::kLocal;
  }
  return LinkTarget::kExternal;
}

HelpWindow::HelpWindow(UrlOpener open_url, QWidget* parent)
    : QWidget(parent, Qt::Window), open_url_(std::move(open_url)) {
  setObjectName(QStringLiteral("HelpWindow"));
  resize(640, 560);

  browser_ = new HelpBrowser(this);
  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  // Links are followed here, so web addresses go to the desktop's browser
  // and local pages stay in this window.
  browser_->setOpenLinks(false);
  connect(browser_, &QTextBrowser::anchorClicked, this,
          &HelpWindow::FollowLink);
  connect(browser_, &QTextBrowser::sourceChanged, this,
          &HelpWindow::PageChanged);

  back_ = new QPushButton(QStringLiteral("戻る"), this);
  forward_ = new QPushButton(QStringLiteral("進む"), this);
  auto* close = new QPushButton(QStringLiteral("閉じる"), this);
  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  connect(browser_, &QTextBrowser::backwardAvailable, back_,
          &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_,
          &QPushButton::setEnabled);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, &QWidget::close);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(back_);
  buttons->addWidget(forward_);
  buttons->addStretch();
  buttons->addWidget(close);
  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("HelpNote"));
  note_->setWordWrap(true);
  note_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  note_->hide();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(note_);
  layout->addWidget(browser_);
  layout->addLayout(buttons);
}

void HelpWindow::SetNote(const QString& note) {
  note_->setText(note);
  note_->setVisible(!note.isEmpty());
}

void HelpWindow::ShowPage(const QUrl& page) {
  if (browser_->source() == page) {
    browser_->reload();
  } else {
    browser_->setSource(page);
  }
  show();
  raise();
  activateWindow();
}

void HelpWindow::FollowLink(const QUrl& link) {
  switch (ClassifyLink(browser_->source(), link)) {
    case LinkTarget::kInPage:
      browser_->scrollToAnchor(link.fragment());
      break;
    case LinkTarget::kLocal:
      browser_->setSource(browser_->source().resolved(link));
      break;
    case LinkTarget::kExternal:
      open_url_(link);
      break;
  }
}

void HelpWindow::PageChanged(const QUrl& page) {
  QString title = browser_->documentTitle();
  if (title.isEmpty()) title = QFileInfo(page.path()).fileName();
  setWindowTitle(title.isEmpty() ? QStringLiteral("ヘルプ") : title);
  // A text file (the Readme) lines up its columns with spaces, counting a
  // Japanese or Korean letter as two: it needs a font whose letters keep
  // to that. The help pages bring their own fonts.
  browser_->document()->setDefaultFont(
      IsTextFile(page) ? PointFont(MonospaceFamilies(), 10) : browser_->font());
}

}  // namespace pimoru
