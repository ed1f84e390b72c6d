#include "cli/DatedClock.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace volmograph::cli {

LocalTime DatedClock::Now() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (now == static_cast<std::time_t>(-1) || ::localtime_r(&now, &local) == nullptr) {
    return {};
  }
  m_year = local.tm_year + 1900;
  m_month = local.tm_mon + 1;
  m_day = local.tm_mday;
  m_utcOffsetSeconds = local.tm_gmtoff;
  // A leap second (tm_sec 60) shows as 59, as on the system clock of the desktop program.
  m_time = LocalTime{local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec};
  return m_time;
}

std::string DatedClock::IsoTimestamp(const std::string& sampleLine) const {
  char time[9];
  if (sampleLine.size() >= 9) {
    sampleLine.copy(time, 8, 1);
    time[8] = '\0';
  } else {
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", m_time.hour, m_time.minute, m_time.second);
  }
  const long offsetMinutes = std::labs(m_utcOffsetSeconds) / 60;
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%s%c%02ld:%02ld", m_year, m_month, m_day, time,
                m_utcOffsetSeconds < 0 ? '-' : '+', offsetMinutes / 60, offsetMinutes % 60);
  return text;
}

}  // namespace volmograph::cli
