#include "records/metering.h"

#include <cmath>

#include "base/number.h"

namespace orlimo::Metering {
namespace {

// One second in days, a little less than 1/86400, so that a whole number of seconds between two
// clock readings never comes out one short after the floating-point subtraction.
constexpr double kOneSecondInDays = 1.15740695036948e-05;

}  // namespace

int CreditedSeconds(DateValue lastStep, DateValue now) {
  double seconds = std::floor((now - lastStep) / kOneSecondInDays);
  if (seconds < 0) return 0;
  if (seconds > kLongestCreditedGap) return kCreditForLongerGaps;
  return static_cast<int>(seconds);
}

std::int32_t UsedMinutesOf(std::int32_t usedSeconds) {
  return static_cast<std::int32_t>(RoundHalfEven(usedSeconds / 60.0));
}

}  // namespace orlimo::Metering
