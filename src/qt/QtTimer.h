#pragma once

// Window timers on the desktop: a QTimer per id on the user-interface thread. A tick that
// comes due while the previous one of the same id is still running (a message box shown
// from it runs its own event loop) is not delivered, so ticks never overlap.

#include <map>
#include <memory>

#include "platform/Timer.h"

class QObject;
class QTimer;

namespace volmograph {

class QtTimer : public Timer {
 public:
  QtTimer();
  ~QtTimer() override;
  QtTimer(const QtTimer&) = delete;
  QtTimer& operator=(const QtTimer&) = delete;

  // Starting an id that runs already replaces it. False without a handler.
  bool Start(int id, int periodMs, std::function<void(int)> handler) override;
  void Stop(int id) override;

 private:
  std::unique_ptr<QObject> m_owner;
  std::map<int, QTimer*> m_timers;
};

}  // namespace volmograph
