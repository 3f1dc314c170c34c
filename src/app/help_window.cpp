#include "app/help_window.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace pimoru {

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

  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  // Links are followed here, so web addresses go to the desktop's browser
  // and local pages stay in this window.
  browser_->setOpenLinks(false);
  connect(browser_, &QTextBrowser::anchorClicked, this,
          &HelpWindow::FollowLink);
  connect(browser_, &QTextBrowser::sourceChanged, this,
          &HelpWindow::UpdateTitle);

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
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(browser_);
  layout->addLayout(buttons);
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

void HelpWindow::UpdateTitle() {
  const QString title = browser_->documentTitle();
  setWindowTitle(title.isEmpty() ? QStringLiteral("ヘルプ") : title);
}

}  // namespace pimoru
