// The guard's clocks on Windows: the system time, the time zone's offset now, the tick count.
#pragma once

#include "platform/system_clock.h"

namespace orlimo::win32 {

class Win32SystemClock : public platform::SystemClock {
 public:
  std::int64_t UtcSeconds() const override;
  std::int64_t ZoneOffsetSeconds() const override;
  std::int64_t SteadyMs() const override;
};

}  // namespace orlimo::win32
