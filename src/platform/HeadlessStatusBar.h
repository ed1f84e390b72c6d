#pragma once

#include <map>
#include <string>

#include "platform/StatusBar.h"

namespace volmograph {

// Status-bar panes in a map; a pane never set is empty.
class HeadlessStatusBar : public StatusBar {
 public:
  void SetPane(int id, const std::string& text) override;
  std::string Pane(int id) const override;

  const std::map<int, std::string>& Panes() const { return m_panes; }
  // Pane updates so far (each one repaints the pane).
  int UpdateCount() const { return m_updateCount; }

 private:
  std::map<int, std::string> m_panes;
  int m_updateCount = 0;
};

}  // namespace volmograph
