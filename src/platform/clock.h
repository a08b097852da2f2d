// The local wall clock, read to the whole second, and a clock that only runs forwards for the
// program's own timers.
#pragma once

#include <cstdint>

#include "base/date.h"

namespace orlimo::platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTimeFields Now() const = 0;
  // Milliseconds since an arbitrary start; never set, never goes back.
  virtual std::int64_t SteadyMs() const = 0;
};

}  // namespace orlimo::platform
