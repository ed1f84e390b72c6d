#pragma once

#include <functional>
#include <map>
#include <vector>

#include "platform/Timer.h"

namespace volmograph {

// Timers that tick only when the test says so.
class ManualTimer : public Timer {
 public:
  struct Started {
    int id = 0;
    int periodMs = 0;
    std::function<void(int)> handler;
  };

  // Starting an id that runs already replaces it, as a window timer does. False while
  // unavailable.
  bool Start(int id, int periodMs, std::function<void(int)> handler) override;
  void Stop(int id) override;

  // Calls the handler of a running timer once; false when the timer is not running.
  // The handler may stop or restart its own timer.
  bool Fire(int id);
  // With false, Start fails as when the system has no timer left.
  void SetAvailable(bool available) { m_available = available; }
  bool IsRunning(int id) const { return m_running.count(id) != 0; }
  // Period of a running timer, 0 when it is not running.
  int Period(int id) const;
  // Every successful Start, in order.
  const std::vector<Started>& History() const { return m_history; }

 private:
  std::map<int, Started> m_running;
  std::vector<Started> m_history;
  bool m_available = true;
};

}  // namespace volmograph
