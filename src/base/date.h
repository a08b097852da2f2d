// Date values: days since 1899-12-30 00:00 as a double, the time of day in the fraction.
#pragma once

#include <cstdint>
#include <optional>

#include "base/text.h"

namespace orlimo {

using DateValue = double;

// Local date and time to the whole second.
struct DateTimeFields {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool operator==(const DateTimeFields&) const = default;
};

DateValue DateFromFields(const DateTimeFields& fields);
// The inverse of DateFromFields, rounded to the nearest whole second.
DateTimeFields FieldsFromDate(DateValue date);

// "YYYY-MM-DD HH:MM:SS", the form of log time stamps and of the Day field as written.
Text TimestampText(const DateTimeFields& fields);
Text TimestampText(DateValue date);

// Reads a date written by this program or by earlier releases in the general date forms of
// Korean or US-English Windows ("2003-12-04 16:05:09", "2003-12-04 오후 4:05:09",
// "2003. 12. 4. 오후 4:05:09", "03-12-04 오후 4:05:09", "2003.12.04 4:05:09 PM",
// "12/4/2003 4:05:09 PM", a date alone, a time alone). A two-digit year is one of 1930 to 2029.
// Empty or unreadable text gives nothing.
std::optional<DateValue> ParseDate(TextView text);

}  // namespace orlimo

namespace orlimo {

// Whole seconds since 1899-12-30 00:00, for exact clock arithmetic.
std::int64_t SecondsFromFields(const DateTimeFields& fields);
DateTimeFields FieldsFromSeconds(std::int64_t seconds);

}  // namespace orlimo
