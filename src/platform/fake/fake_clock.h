// A settable wall clock on virtual time.
#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace orlimo::fake {

class FakeClock : public platform::Clock {
 public:
  explicit FakeClock(const DateTimeFields& start);
  DateTimeFields Now() const override;
  std::int64_t SteadyMs() const override { return elapsedMs_; }

  // Virtual time passes: both the wall clock and the elapsed milliseconds move on.
  void AdvanceMs(std::int64_t ms);
  // The wall clock moves (forward or back) without virtual time passing.
  void ShiftSeconds(std::int64_t seconds);

  std::int64_t ElapsedMs() const { return elapsedMs_; }

 private:
  std::int64_t wallMs_;  // milliseconds since 1899-12-30 00:00
  std::int64_t elapsedMs_ = 0;
};

}  // namespace orlimo::fake
