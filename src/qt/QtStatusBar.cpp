#include "qt/QtStatusBar.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStatusBar>

#include "platform/TextEncoding.h"

namespace volmograph {

namespace {

QLabel* MakePane(QStatusBar& bar, const QString& text) {
  auto* label = new QLabel(text, &bar);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // Room for the initial text plus the frame and a little padding on either side.
  const int padding = 2 * label->frameWidth() + 8;
  label->setFixedWidth(label->fontMetrics().horizontalAdvance(text) + padding);
  label->setMinimumHeight(label->fontMetrics().height() + 2 * label->frameWidth());
  return label;
}

}  // namespace

QtStatusBar::QtStatusBar(QStatusBar& bar, const QString& idleMessage,
                         const std::vector<Indicator>& panes) {
  // A normal widget, so that menu prompts (temporary messages) cover it while shown.
  m_message = new QLabel(idleMessage, &bar);
  m_message->setMinimumWidth(1);
  bar.addWidget(m_message, 1);
  for (const Indicator& pane : panes) {
    QLabel* label = MakePane(bar, QString::fromLatin1(pane.initialText));
    bar.addPermanentWidget(label);
    m_order.push_back(label);
    m_panes[pane.id] = {label, pane.initialText};
  }
}

void QtStatusBar::SetPane(int id, const std::string& text) {
  auto found = m_panes.find(id);
  if (found == m_panes.end()) {
    return;
  }
  auto& [label, bytes] = found->second;
  bytes = text;
  // The file-name pane holds a name from the system; the other panes are plain ASCII.
  const QString shown = QString::fromStdString(SystemTextToUtf8(text));
  label->setText(shown);
  label->setToolTip(shown);
  // The framework repaints a pane the moment it is set.
  label->repaint();
}

std::string QtStatusBar::Pane(int id) const {
  auto found = m_panes.find(id);
  return found == m_panes.end() ? std::string() : found->second.second;
}

}  // namespace volmograph
