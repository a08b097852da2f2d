// Reading numbers from text the way settings files and the console's boxes have always been read:
// the longest leading number (blanks, tabs and line feeds skipped anywhere), then rounded to an
// integer with halves to even, then range-checked.
#pragma once

#include <cstdint>
#include <optional>

#include "base/text.h"

namespace orlimo {

// The leading number of the text as a double; 0 when there is none. "&H"/"&O" read hexadecimal
// and octal (1-4 hex digits are a 16-bit value, 5-8 a 32-bit value).
double LeadingNumber(TextView text);

// The value of a hexadecimal digit of either case; -1 for any other character.
int HexDigitValue(char16_t c);

// Rounds to the nearest integer, halves to the even neighbour; -0 becomes 0.
double RoundHalfEven(double value);

// Leading number, rounded, and checked against the target's range; nothing when out of range.
std::optional<std::int32_t> ReadInt32(TextView text);
std::optional<std::int16_t> ReadInt16(TextView text);
std::optional<std::uint8_t> ReadByte(TextView text);

}  // namespace orlimo
