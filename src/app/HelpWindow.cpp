#include "app/HelpWindow.h"

#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

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
  if (!isVisible()) {
    PlaceBesideOwner();
  }
  show();
  raise();
  activateWindow();
}

}  // namespace volmograph::shell

namespace volmograph::shell {

void HelpWindow::PlaceBesideOwner() {
  QWidget* owner = parentWidget();
  QScreen* screen = owner != nullptr ? owner->screen() : nullptr;
  if (owner == nullptr || screen == nullptr) {
    return;
  }
  // To the right of the main window where the screen has room, else at its right edge.
  const QRect desktop = screen->availableGeometry();
  const QRect frame = owner->frameGeometry();
  const int x = std::min(frame.right() + 1, desktop.right() + 1 - width());
  const int y = std::clamp(frame.top(), desktop.top(), desktop.bottom() + 1 - height());
  move(std::max(x, desktop.left()), std::max(y, desktop.top()));
}

}  // namespace volmograph::shell
