#pragma once

// The system clock for a recording: the view reads the time of day as usual, and the date and
// UTC offset of that same reading are kept, so that each listed line can be dated exactly,
// also when a run goes over midnight or a change of daylight saving time.

#include <string>

#include "platform/Clock.h"

namespace volmograph::cli {

class DatedClock : public Clock {
 public:
  LocalTime Now() const override;

  // "2024-03-31T02:59:58+01:00": the date and offset of the last reading with the time of day
  // of `sampleLine` (its columns 1..8), which the view took from that reading.
  std::string IsoTimestamp(const std::string& sampleLine) const;

 private:
  mutable int m_year = 1970;
  mutable int m_month = 1;
  mutable int m_day = 1;
  mutable long m_utcOffsetSeconds = 0;
  mutable LocalTime m_time;
};

}  // namespace volmograph::cli
