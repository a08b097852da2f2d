// Date reading takes any text without undefined behaviour, and whatever it reads is written by
// the program as a time stamp that reads back to the very same value.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "base/date.h"
#include "fuzz_input.h"

namespace {

using orlimo::Text;
using orlimo::fuzz::Check;

void Read(const Text& text) {
  std::optional<orlimo::DateValue> date = orlimo::ParseDate(text);
  if (!date) return;
  Check(std::isfinite(*date), "a date read is a finite value");
  const orlimo::DateTimeFields fields = orlimo::FieldsFromDate(*date);
  Check(orlimo::DateFromFields(fields) == *date, "a date read is a whole second");
  const Text stamp = orlimo::TimestampText(fields);
  Check(stamp.size() == 19, "a time stamp has its fixed width");
  std::optional<orlimo::DateValue> again = orlimo::ParseDate(stamp);
  Check(again.has_value() && *again == *date, "the time stamp of a date reads back the same");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return orlimo::fuzz::ReadAsUtf8AndWideText(data, size, Read);
}
