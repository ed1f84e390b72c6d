#pragma once

#include <cstdint>

#include "platform/Clock.h"

namespace volmograph {

// A clock the test sets and moves. It keeps milliseconds, so that 20 advances of 50 ms make
// one second, and wraps at midnight.
class ManualClock : public Clock {
 public:
  explicit ManualClock(LocalTime start = {}) { Set(start); }

  LocalTime Now() const override;
  // Sets the time of day, milliseconds 0; fields out of range carry over (61 s is 1 min 1 s).
  void Set(LocalTime time);
  // Moves the clock on (or back, when negative), wrapping around the 24 hours.
  void Advance(std::int64_t milliseconds);
  // Milliseconds since midnight.
  std::int64_t MillisecondsOfDay() const { return m_msOfDay; }

 private:
  std::int64_t m_msOfDay = 0;
};

}  // namespace volmograph
