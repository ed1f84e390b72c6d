#pragma once

// The main window's status bar: a message pane that fills the free width, then one sunken
// pane per indicator id, each as wide as its initial text, as the resource's string table
// sizes them. A later text wider than its pane is cut at the pane's edge and shown whole
// in the pane's tooltip.

#include <QString>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/StatusBar.h"

class QLabel;
class QStatusBar;

namespace volmograph {

class QtStatusBar : public StatusBar {
 public:
  // An indicator pane: its id and the text that fixes its width.
  struct Indicator {
    int id;
    const char* initialText;
  };

  // Adds the message pane and the indicator panes, left to right, to `bar`, which must
  // outlive this object.
  QtStatusBar(QStatusBar& bar, const QString& idleMessage, const std::vector<Indicator>& panes);

  // Texts are code page 1252 bytes, as the core keeps them.
  void SetPane(int id, const std::string& text) override;
  std::string Pane(int id) const override;

  // The panes in their order, for tests and screenshots.
  std::vector<QLabel*> Panes() const { return m_order; }
  QLabel* MessagePane() const { return m_message; }

 private:
  QLabel* m_message = nullptr;
  std::vector<QLabel*> m_order;
  std::map<int, std::pair<QLabel*, std::string>> m_panes;
};

}  // namespace volmograph
