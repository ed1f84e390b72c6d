#include "platform/HeadlessStatusBar.h"

namespace volmograph {

void HeadlessStatusBar::SetPane(int id, const std::string& text) {
  m_panes[id] = text;
  ++m_updateCount;
}

std::string HeadlessStatusBar::Pane(int id) const {
  const auto found = m_panes.find(id);
  return found == m_panes.end() ? std::string() : found->second;
}

}  // namespace volmograph
