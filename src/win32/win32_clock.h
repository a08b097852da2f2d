// The local wall clock of Windows.
#pragma once

#include "platform/clock.h"

namespace orlimo::win32 {

class Win32Clock : public platform::Clock {
 public:
  DateTimeFields Now() const override;
  std::int64_t SteadyMs() const override;
};

}  // namespace orlimo::win32
