#include "platform/SystemClock.h"

#include <ctime>

namespace volmograph {

LocalTime SystemClock::Now() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (now == static_cast<std::time_t>(-1) || ::localtime_r(&now, &local) == nullptr) {
    return {};
  }
  // A leap second (tm_sec 60) shows as 59, so that the time stays within its fields.
  return LocalTime{local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec};
}

}  // namespace volmograph
