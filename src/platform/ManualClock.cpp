#include "platform/ManualClock.h"

namespace volmograph {

namespace {

constexpr std::int64_t kMsPerDay = 24LL * 60 * 60 * 1000;

std::int64_t WrapDay(std::int64_t ms) {
  ms %= kMsPerDay;
  return ms < 0 ? ms + kMsPerDay : ms;
}

}  // namespace

LocalTime ManualClock::Now() const {
  const std::int64_t seconds = m_msOfDay / 1000;
  return LocalTime{static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                   static_cast<int>(seconds % 60)};
}

void ManualClock::Set(LocalTime time) {
  const std::int64_t seconds =
      static_cast<std::int64_t>(time.hour) * 3600 + std::int64_t{time.minute} * 60 + time.second;
  m_msOfDay = WrapDay(seconds * 1000);
}

void ManualClock::Advance(std::int64_t milliseconds) {
  m_msOfDay = WrapDay(m_msOfDay + WrapDay(milliseconds));
}

}  // namespace volmograph
