#pragma once

#include <string>

namespace volmograph {

// Status-bar panes addressed by their ids (59143 port, 59144 sampling time,
// 59145 dB reference, 59146 file name). Setting a pane repaints it at once.
class StatusBar {
 public:
  virtual ~StatusBar() = default;
  virtual void SetPane(int id, const std::string& text) = 0;
  virtual std::string Pane(int id) const = 0;
};

}  // namespace volmograph
