#pragma once

#include "platform/Clock.h"

namespace volmograph {

// The computer's local time of day, in whole seconds.
class SystemClock : public Clock {
 public:
  LocalTime Now() const override;
};

}  // namespace volmograph
