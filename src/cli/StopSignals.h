#pragma once

// Ctrl-C (SIGINT), SIGTERM and a closed terminal (SIGHUP) ask a run to stop, so that it can
// end as Stop does and save what it recorded rather than die with it. SIGPIPE is ignored:
// a closed standard output shows as a failed write, which the run handles itself. The
// previous handlers come back when this goes.

#include <csignal>

namespace volmograph::cli {

class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // The signal that asked to stop, or 0.
  static int Received();

 private:
  struct sigaction m_previous[4];
};

}  // namespace volmograph::cli
