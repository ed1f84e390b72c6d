#pragma once

// The view's timer for the command line: a tick every period on the monotonic clock. Each
// deadline is the previous one plus the period, so the ticks keep their pace without drift
// however long a tick takes; after a stall (the machine suspended, say) the pace starts
// afresh rather than firing the missed ticks in a burst, as a window timer would.

#include <ctime>

namespace volmograph::cli {

class TickPacer {
 public:
  explicit TickPacer(int periodMs);

  // Sleeps until the next tick is due. Returns early, false, when a stop signal arrives.
  bool WaitForNextTick();

 private:
  long m_periodNs;
  timespec m_deadline{};
};

}  // namespace volmograph::cli
