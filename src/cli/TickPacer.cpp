#include "cli/TickPacer.h"

#include <cerrno>

#include "cli/StopSignals.h"

namespace volmograph::cli {

namespace {

constexpr long kNsPerSecond = 1000000000L;

long long Nanoseconds(const timespec& t) {
  return static_cast<long long>(t.tv_sec) * kNsPerSecond + t.tv_nsec;
}

timespec FromNanoseconds(long long ns) {
  return timespec{static_cast<std::time_t>(ns / kNsPerSecond),
                  static_cast<long>(ns % kNsPerSecond)};
}

}  // namespace

TickPacer::TickPacer(int periodMs) : m_periodNs(periodMs * 1000000L) {
  clock_gettime(CLOCK_MONOTONIC, &m_deadline);
}

bool TickPacer::WaitForNextTick() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  long long next = Nanoseconds(m_deadline) + m_periodNs;
  if (Nanoseconds(now) > next + m_periodNs) {
    next = Nanoseconds(now);  // a stall: start the pace afresh
  }
  m_deadline = FromNanoseconds(next);
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &m_deadline, nullptr) == EINTR) {
    if (StopSignals::Received() != 0) {
      return false;
    }
  }
  return true;
}

}  // namespace volmograph::cli
