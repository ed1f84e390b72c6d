#include "cli/StopSignals.h"

namespace volmograph::cli {

namespace {

constexpr int kSignals[4] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};

volatile std::sig_atomic_t g_received = 0;

void OnStopSignal(int signal) {
  g_received = signal;
}

}  // namespace

StopSignals::StopSignals() {
  g_received = 0;
  for (int i = 0; i < 4; ++i) {
    struct sigaction action {};
    // No SA_RESTART: a signal wakes the tick loop's sleep at once.
    action.sa_handler = kSignals[i] == SIGPIPE ? SIG_IGN : OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(kSignals[i], &action, &m_previous[i]);
  }
}

StopSignals::~StopSignals() {
  for (int i = 0; i < 4; ++i) {
    sigaction(kSignals[i], &m_previous[i], nullptr);
  }
}

int StopSignals::Received() {
  return g_received;
}

}  // namespace volmograph::cli
