#include "platform/fake/fake_clock.h"

namespace orlimo::fake {

FakeClock::FakeClock(const DateTimeFields& start) : wallMs_(SecondsFromFields(start) * 1000) {}

DateTimeFields FakeClock::Now() const {
  std::int64_t seconds = wallMs_ >= 0 ? wallMs_ / 1000 : -((-wallMs_ + 999) / 1000);
  return FieldsFromSeconds(seconds);
}

void FakeClock::AdvanceMs(std::int64_t ms) {
  wallMs_ += ms;
  elapsedMs_ += ms;
}

void FakeClock::ShiftSeconds(std::int64_t seconds) {
  wallMs_ += seconds * 1000;
}

}  // namespace orlimo::fake
