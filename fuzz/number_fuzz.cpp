// Number reading takes any text without undefined behaviour; the leading number is never NaN,
// the rounding lands on a whole number no more than a half away, and each ranged reading gives
// exactly the rounded value when it lies in the target's range and nothing otherwise.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

#include "base/number.h"
#include "fuzz_input.h"

namespace {

using orlimo::Text;
using orlimo::fuzz::Check;

template <typename Target>
void CheckRanged(std::optional<Target> read, double rounded) {
  const bool inRange = rounded >= static_cast<double>(std::numeric_limits<Target>::min()) &&
                       rounded <= static_cast<double>(std::numeric_limits<Target>::max());
  Check(read.has_value() == inRange, "a value is given exactly when it is in range");
  if (read) Check(static_cast<double>(*read) == rounded, "the value given is the rounded value");
}

void Read(const Text& text) {
  const double number = orlimo::LeadingNumber(text);
  Check(!std::isnan(number), "the leading number is never NaN");
  const double rounded = orlimo::RoundHalfEven(number);
  if (std::isfinite(number)) {
    Check(rounded == std::floor(rounded), "rounding gives a whole number");
    Check(std::fabs(rounded - number) <= 0.5, "rounding moves by at most a half");
  } else {
    Check(rounded == number, "an infinite number stays infinite");
  }
  CheckRanged(orlimo::ReadInt32(text), rounded);
  CheckRanged(orlimo::ReadInt16(text), rounded);
  CheckRanged(orlimo::ReadByte(text), rounded);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return orlimo::fuzz::ReadAsUtf8AndWideText(data, size, Read);
}
