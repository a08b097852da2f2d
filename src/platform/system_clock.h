// The machine's clocks as the guard reads them: the system time, the time zone's offset in force
// now, and a clock that only runs forwards, for the guard's own timers.
#pragma once

#include <cstdint>

namespace orlimo::platform {

class SystemClock {
 public:
  virtual ~SystemClock() = default;
  // Universal time in whole seconds since 1899-12-30 00:00; moves when the clock is set.
  virtual std::int64_t UtcSeconds() const = 0;
  // Local time minus universal time, in seconds, as the time zone in force now gives it.
  virtual std::int64_t ZoneOffsetSeconds() const = 0;
  // Milliseconds since an arbitrary start; never set, never goes back.
  virtual std::int64_t SteadyMs() const = 0;
};

}  // namespace orlimo::platform
