// The local wall clock, read to the whole second.
#pragma once

#include "base/date.h"

namespace orlimo::platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTimeFields Now() const = 0;
};

}  // namespace orlimo::platform
