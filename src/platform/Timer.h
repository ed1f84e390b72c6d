#pragma once

#include <functional>

namespace volmograph {

// Window timers: a started timer calls its handler with its id every period.
class Timer {
 public:
  virtual ~Timer() = default;
  // False when no timer can be had.
  virtual bool Start(int id, int periodMs, std::function<void(int)> handler) = 0;
  virtual void Stop(int id) = 0;
};

}  // namespace volmograph
