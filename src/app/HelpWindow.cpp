#include "app/HelpWindow.h"

#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace volmograph::shell {

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
  setWindowTitle(QStringLiteral("Volmograph Help"));
  resize(560, 600);
  m_browser = new QTextBrowser(this);
  m_browser->setOpenExternalLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_browser);
  auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(close, &QShortcut::activated, this, &QWidget::close);
}

void HelpWindow::ShowPage(const char* page) {
  m_browser->setSource(QUrl(QString::fromLatin1(page)));
  show();
  raise();
  activateWindow();
}

}  // namespace volmograph::shell
