// The arithmetic of one metering step.
#pragma once

#include <cstdint>

#include "base/date.h"

namespace orlimo::Metering {

inline constexpr int kLongestCreditedGap = 120;
inline constexpr int kCreditForLongerGaps = 30;

// Whole seconds between two clock readings: a gap of up to 120 s counts in full, a longer one
// (the clock moved on, the machine slept) as 30 s, and a clock set back as nothing.
int CreditedSeconds(DateValue lastStep, DateValue now);

// Minutes used: seconds / 60 rounded to the nearest minute, halves to the even neighbour.
std::int32_t UsedMinutesOf(std::int32_t usedSeconds);

}  // namespace orlimo::Metering
