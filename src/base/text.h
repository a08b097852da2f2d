// Text as the program holds it: one 16-bit code unit per character.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orlimo {

using Text = std::u16string;
using TextView = std::u16string_view;

// UTF-8 <-> UTF-16 (invalid input becomes U+FFFD; lone surrogates are kept as they are).
Text FromUtf8(std::string_view utf8);
std::string ToUtf8(TextView text);

// Removes leading and trailing blanks (U+0020) only; tabs and other spaces stay.
Text Trim(TextView text);

// Lower-cases A-Z and the other letters that have a simple one-to-one lower case in the
// Basic Multilingual Plane's Latin, Greek and Cyrillic blocks.
Text ToLower(TextView text);

// The lines of a text: a line ends at CR LF or at a lone CR, and the line end is not part of it;
// a line feed alone belongs to its line. A text ending in a line end has no empty last line.
std::vector<Text> SplitLines(TextView text);

// A whole number as plain decimal text: no grouping, no leading zeros, "-" when negative.
Text DecimalText(std::int64_t value);

}  // namespace orlimo
